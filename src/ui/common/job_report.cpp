#include "ui/common/job_report.h"

#include "ui/common/session.h"
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
        return QStringLiteral("список не изменился");
    const bool added = count > count_ || (count == count_ && total > total_);
    const std::int64_t n = added ? count - count_ : count_ - count;
    const kav::Fixed4 amount = added ? total - total_ : total_ - total;
    return (added ? QStringLiteral("добавлено ставок ") : QStringLiteral("изъято ставок ")) +
           QString::number(n) + QStringLiteral(" (") + moneyText(session_, amount) +
           QLatin1Char(')');
}

// A side window reports in the status line of the main window it belongs to.
void showStatus(QWidget* window, const QString& text) {
    for (QWidget* w = window; w; w = w->window()->parentWidget())
        if (auto* main = qobject_cast<QMainWindow*>(w->window())) {
            main->statusBar()->showMessage(text);
            return;
        }
}

bool confirmLargeAppend(QWidget* window, const Session& session, const std::string& title,
                        const std::string& lead, const LineTally& tally) {
    if (tally.variants <= kLargeAppend)
        return true;
    return showMessage(window,
                       kav::Message{lead + " " + std::to_string(tally.variants) + " вариантов на " +
                                        sentence(moneyText(session, tally.amount)) +
                                        " Добавить их все в список?",
                                    title, kav::Buttons::YesNo});
}

} // namespace kav::ui
