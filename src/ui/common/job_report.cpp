#include "ui/common/job_report.h"

#include "ui/common/session.h"
#include "ui/common/ui_text.h"
#include "ui/widgets/message_box.h"

#include <QMainWindow>
#include <QStatusBar>

namespace kav::ui {

std::string sentence(const QString& text) {
    return (text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.')).toStdString();
}

LineTally tallyLines(const kav::Lines& lines) {
    LineTally t;
    for (const std::string& line : lines) {
        const kav::ParsedLine p = kav::parseBetLine(line);
        if (!p.mask.valid())
            continue;
        t.variants += p.variants;
        t.amount += p.amount;
    }
    return t;
}

QString moneyText(const Session& session, kav::Fixed4 amount) {
    return QString::fromStdString(amount.moneyText() +
                                  kav::currencySuffixFor(session.draw().drawCountry));
}

ListChange::ListChange(const Session& session)
    : session_(session), count_(session.draw().betCount), total_(session.draw().betTotal) {}

QString ListChange::change() const {
    const std::int64_t count = session_.draw().betCount;
    const kav::Fixed4 total = session_.draw().betTotal;
    if (count == count_ && total == total_)
        return UiText::tr("список не изменился");
    const bool added = count > count_ || (count == count_ && total > total_);
    const std::int64_t n = added ? count - count_ : count_ - count;
    const kav::Fixed4 amount = added ? total - total_ : total_ - total;
    return (added ? UiText::tr("добавлено ставок %1 (%2)") : UiText::tr("изъято ставок %1 (%2)"))
        .arg(n)
        .arg(moneyText(session_, amount));
}

// A side window reports in the status line of the main window it belongs to.
void showStatus(QWidget* window, const QString& text) {
    for (QWidget* w = window; w; w = w->window()->parentWidget())
        if (auto* main = qobject_cast<QMainWindow*>(w->window())) {
            main->statusBar()->showMessage(text);
            return;
        }
}

bool confirmLargeAppend(QWidget* window, const Session& session, const QString& title,
                        const QString& question, const LineTally& tally) {
    if (tally.variants <= kLargeAppend)
        return true;
    const QString amount = QString::fromStdString(sentence(moneyText(session, tally.amount)));
    return showMessage(window, kav::Message{question.arg(tally.variants).arg(amount).toStdString(),
                                            title.toStdString(), kav::Buttons::YesNo});
}

} // namespace kav::ui
