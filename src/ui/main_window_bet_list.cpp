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

kav::Lines MainWindow::betLines() const {
    const_cast<MainWindow*>(this)->flushPendingLines();
    return kav::splitLines(betListEdit_->toPlainText().toStdString());
}

int MainWindow::memoLineCount() const {
    const QTextDocument* doc = betListEdit_->document();
    if (doc->isEmpty())
        return 0;
    // A final line break leaves an empty last block, which is no line.
    return doc->blockCount() - (doc->lastBlock().text().isEmpty() ? 1 : 0);
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
    pendingLines_ = 0;
    insertAtEnd(text);
}

void MainWindow::applyParse(const std::optional<kav::BetListParse>& parse) {
    betListStatusLabel_->setText(QString::fromStdString(kav::applyBetListParse(model_, parse)));
    parsedInSync_ = parse.has_value();
    if (parse)
        recountCoverage();
}

void MainWindow::parseBetList() {
    if (bulk_ || betListEdit_->isHidden())
        return;
    applyParse(kav::parseBetList(betLines()));
}

// Laying out the memo costs far more than parsing a line, so lines appended one at
// a time are parsed at once but written into the memo together, when the event
// loop next runs or as soon as anything reads the memo.
void MainWindow::appendBetLines(const kav::Lines& lines) {
    if (lines.empty())
        return;
    const bool listed = !bulk_ && !betListEdit_->isHidden();
    const bool plain = std::all_of(lines.begin(), lines.end(), [](const std::string& l) {
        return !l.empty() && storedAsGiven(l);
    });
    std::vector<kav::BetMask> masks;
    std::int64_t count = 0;
    kav::Fixed4 total;
    bool incremental = listed && plain && parsedInSync_ &&
                       memoLineCount() + pendingLines_ == static_cast<int>(model_.betMasks.size());
    if (incremental) {
        masks.reserve(lines.size());
        for (const auto& line : lines) {
            const kav::ParsedLine p = kav::parseBetLine(line);
            if (p.failed) {
                incremental = false; // the whole list fails as a full parse would
                break;
            }
            masks.push_back(p.mask);
            if (p.mask.valid()) {
                count += static_cast<std::int64_t>(p.variants);
                total += p.amount;
            }
        }
    }
    const QTextDocument* doc = betListEdit_->document();
    bool needBreak = pendingLines_ > 0 || (!doc->isEmpty() && !doc->lastBlock().text().isEmpty());
    if (!incremental) {
        flushPendingLines();
        needBreak = !doc->isEmpty() && !doc->lastBlock().text().isEmpty();
        QString text = QString::fromStdString(kav::joinLines(lines));
        if (needBreak)
            text.prepend(QLatin1Char('\n'));
        insertAtEnd(text);
        parseBetList(); // nothing while a bulk writer works; it parses at its end
        return;
    }
    for (const auto& line : lines) {
        if (needBreak)
            pendingText_ += '\n';
        pendingText_ += line;
        needBreak = true;
    }
    pendingLines_ += static_cast<int>(lines.size());
    flushTimer_->start();
    model_.betMasks.insert(model_.betMasks.end(), masks.begin(), masks.end());
    model_.betCount += count;
    model_.betTotal += total;
    betListStatusLabel_->setText(QString::fromStdString(kav::betListStatus(
        model_.betCount, model_.betTotal, kav::currencySuffixFor(model_.drawCountry))));
    recountCoverage();
}

void MainWindow::setBetLinesBulk(const kav::Lines& lines) {
    pendingText_.clear();
    pendingLines_ = 0;
    {
        const QuietMemo quiet(bulk_);
        betListEdit_->setPlainText(QString::fromStdString(kav::joinLines(lines)));
    }
    parseBetList();
}

void MainWindow::clearBetList() {
    pendingText_.clear();
    pendingLines_ = 0;
    {
        const QuietMemo quiet(bulk_);
        betListEdit_->clear();
    }
    kav::clearBetList(model_);
    betListStatusLabel_->clear();
    parsedInSync_ = true;
}

void MainWindow::copyBetList() {
    flushPendingLines();
    betListEdit_->selectAll();
    QGuiApplication::clipboard()->setText(betListEdit_->toPlainText());
}

void MainWindow::removeMarkedVariants() {
    kav::RemovalResult r = kav::removeMarkedVariants(model_, betLines());
    if (r.message)
        showMessage(this, *r.message);
    if (r.ran)
        setBetLinesBulk(r.lines);
}

void MainWindow::clearBetListAndRecount() {
    clearBetList();
    parseBetList();
}

} // namespace kav::ui
