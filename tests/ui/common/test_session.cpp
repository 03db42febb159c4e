// The session the windows share: its bet list stays equal to a full parse of
// its lines whatever path changes it, the memo shows what the session holds,
// and the totals typed in one window are the ones every other part reads.
#include "ui/analysis/variant_analysis_window.h"
#include "ui/common/session.h"
#include "ui/shell/main_window.h"

#include "support/shown_main_window.h"

#include "core/bets/bet_list.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const std::string kSingle = "20;1-(1);2-(X);3-(2);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(1).";
const std::string kCoupon = "40;1-(1X);2-(X);3-(2);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(12).";

void expectDerivedFromFullParse(const kav::ui::Session& s) {
    const auto full = kav::parseBetList(s.betLines());
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(s.draw().betCount, full->count);
    EXPECT_EQ(s.draw().betTotal, full->total);
    ASSERT_EQ(s.draw().betMasks.size(), full->masks.size());
    EXPECT_EQ(s.betStatus(), kav::betListStatus(full->count, full->total, " руб."));
}

} // namespace

TEST(Session, EveryBetListPathKeepsTheDerivedDataOfAFullParse) {
    kav::ui::Session s;
    s.draw().drawCountry = kav::kRussia;
    QSignalSpy appended(&s, &kav::ui::Session::betsAppended);
    QSignalSpy replaced(&s, &kav::ui::Session::betsReplaced);
    QSignalSpy changed(&s, &kav::ui::Session::betListChanged);
    s.appendBets({kSingle, kCoupon});
    expectDerivedFromFullParse(s);
    s.appendBets({kSingle});
    expectDerivedFromFullParse(s);
    EXPECT_EQ(s.draw().betCount, 6);
    s.replaceBets({kCoupon});
    expectDerivedFromFullParse(s);
    s.typeBetText(kSingle + "\r\n" + kCoupon + "\n");
    expectDerivedFromFullParse(s);
    EXPECT_EQ(s.betLines().size(), 2u);
    EXPECT_EQ(appended.count(), 2);
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(changed.count(), 4);
    // A line that breaks the parse empties the status; the counts stay as they were.
    s.appendBets({"ab" + kSingle.substr(2)});
    EXPECT_EQ(s.betStatus(), "");
    EXPECT_EQ(s.draw().betCount, 5);
    s.clearBets();
    EXPECT_TRUE(s.betLines().empty());
    EXPECT_EQ(s.draw().betCount, 0);
    EXPECT_TRUE(s.draw().betMasks.empty());
}

class SessionWindows : public kav::test::ShownMainWindow {};

TEST_F(SessionWindows, TheMemoShowsWhatTheSessionHoldsAndFollowsThePlayer) {
    auto* memo = child<QPlainTextEdit>("betListEdit");
    w->session().appendBets({kSingle});
    w->session().appendBets({kCoupon});
    w->betListEditor().flushPendingLines();
    EXPECT_EQ(memo->toPlainText().toStdString(), kSingle + "\n" + kCoupon);
    EXPECT_EQ(w->session().betLines(), (kav::Lines{kSingle, kCoupon}));
    // The player's own edit reaches the session.
    memo->setPlainText(QString::fromStdString(kSingle));
    EXPECT_EQ(w->session().betLines(), kav::Lines{kSingle});
    EXPECT_EQ(w->session().draw().betCount, 1);
    // A whole new list from elsewhere (the map's removal) rewrites the memo.
    w->session().replaceBets({kCoupon, kSingle});
    EXPECT_EQ(memo->toPlainText().toStdString(), kCoupon + "\n" + kSingle);
    EXPECT_EQ(w->session().draw().betCount, 5);
}

TEST_F(SessionWindows, TotalsTypedInTheAnalysisWindowAreTheSessions) {
    auto* analysis = new kav::ui::VariantAnalysisWindow(w->session(), w.get());
    auto* pool = kav::test::child<QLineEdit>(*analysis, "poolEdit");
    pool->setText(QStringLiteral("1000000"));
    EXPECT_EQ(w->session().totals().poolText, "1000000");
    // And totals the program writes into the session reach the fields.
    kav::DrawTotals t = w->session().totals();
    t.jackpotText = "250000";
    w->session().setTotals(t);
    EXPECT_EQ(kav::test::child<QLineEdit>(*analysis, "jackpotEdit")->text().toStdString(),
              "250000");
    EXPECT_EQ(pool->text().toStdString(), "1000000");
}
