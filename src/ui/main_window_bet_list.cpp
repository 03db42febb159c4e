// MainWindow: the bet list in betListEdit_ and its three list commands (copy, remove the
// marked variants, clear).
#include "ui/main_window.h"
#include "ui/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

namespace kav::ui {

namespace {

// Text the document stores differently from how it was given (line breaks,
// no-break spaces, other controls): such lines are parsed from the memo itself.
bool storedAsGiven(const std::string& line) {
    for (QChar ch : QString::fromStdString(line)) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u == 0x7F || u == 0xA0 || u == 0x2028 || u == 0x2029 || u == 0xFFFD)
            return false;
    }
    return true;
}

// Keeps the memo's change handling quiet while the program itself writes the text.
class QuietMemo {
public:
    explicit QuietMemo(bool& bulk) : bulk_(bulk), was_(bulk) { bulk_ = true; }
    ~QuietMemo() { bulk_ = was_; }
    QuietMemo(const QuietMemo&) = delete;
    QuietMemo& operator=(const QuietMemo&) = delete;

private:
    bool& bulk_;
    bool was_;
};

} // namespace

const kav::Lines& MainWindow::betLines() const {
    return session_.betLines();
}

void MainWindow::insertAtEnd(const QString& text) {
    const QuietMemo quiet(bulk_);
    QTextCursor cursor(betListEdit_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void MainWindow::flushPendingLines() {
    if (pendingText_.empty())
        return;
    const QString text = QString::fromStdString(pendingText_);
    pendingText_.clear();
    insertAtEnd(text);
}

void MainWindow::parseBetList() {
    if (bulk_ || betListEdit_->isHidden())
        return;
    flushPendingLines();
    session_.setBetTextFromEditor(betListEdit_->toPlainText().toStdString());
}

// The counts of the list, or while it does not parse, the line that breaks it.
void MainWindow::showBetStatus() {
    const std::string& fault = session_.betFault();
    betListStatusLabel_->setText(
        QString::fromStdString(fault.empty() ? session_.betStatus() : fault));
    betListStatusLabel_->setStyleSheet(fault.empty() ? QString()
                                                     : QStringLiteral("color: #c00000;"));
}

void MainWindow::appendBetLines(const kav::Lines& lines) {
    session_.appendBets(lines);
}

// Laying out the memo costs far more than parsing a line, so lines appended one at
// a time are written into the memo together, when the event loop next runs or as
// soon as anything reads the memo. Lines the document would store otherwise than
// given (line breaks, controls) are written at once and read back: the memo's
// text is what the player sees, so the list follows it.
void MainWindow::showAppendedBets(const kav::Lines& lines) {
    const bool plain = std::all_of(lines.begin(), lines.end(), [](const std::string& l) {
        return !l.empty() && storedAsGiven(l);
    });
    const QTextDocument* doc = betListEdit_->document();
    if (!plain) {
        flushPendingLines();
        QString text = QString::fromStdString(kav::joinLines(lines));
        if (!doc->isEmpty() && !doc->lastBlock().text().isEmpty())
            text.prepend(QLatin1Char('\n'));
        insertAtEnd(text);
        session_.setBetTextFromEditor(betListEdit_->toPlainText().toStdString());
        return;
    }
    bool needBreak =
        !pendingText_.empty() || (!doc->isEmpty() && !doc->lastBlock().text().isEmpty());
    for (const auto& line : lines) {
        if (needBreak)
            pendingText_ += '\n';
        pendingText_ += line;
        needBreak = true;
    }
    flushTimer_->start();
}

void MainWindow::setBetLinesBulk(const kav::Lines& lines) {
    session_.replaceBets(lines);
}

void MainWindow::showReplacedBets() {
    pendingText_.clear();
    const kav::Lines& lines = session_.betLines();
    {
        const QuietMemo quiet(bulk_);
        betListEdit_->setPlainText(QString::fromStdString(kav::joinLines(lines)));
    }
    const bool plain = std::all_of(lines.begin(), lines.end(),
                                   [](const std::string& l) { return storedAsGiven(l); });
    if (!plain)
        parseBetList();
}

void MainWindow::clearBetList() {
    session_.clearBets();
}

void MainWindow::copyBetList() {
    flushPendingLines();
    betListEdit_->selectAll();
    QGuiApplication::clipboard()->setText(betListEdit_->toPlainText());
}

void MainWindow::removeMarkedVariants() {
    kav::RemovalResult r = kav::removeMarkedVariants(model(), betLines());
    if (r.message)
        showMessage(this, *r.message);
    if (r.ran)
        session_.replaceBets(r.lines);
}

void MainWindow::clearBetListAndRecount() {
    if (!confirmBetListLoss(QStringLiteral("Команда \"Очистить список ставок\"")))
        return;
    session_.clearBets();
    parseBetList();
}

} // namespace kav::ui
