// TForm2: the bet list in Memo1 and its three list commands (copy, remove the
// marked variants, clear).
#include "ui/message_box.h"
#include "ui/tot_lin_web1.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

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

} // namespace

kav::Lines TForm2::betLines() const {
    return kav::splitLines(Memo1->toPlainText().toStdString());
}

int TForm2::memoLineCount() const {
    const QTextDocument* doc = Memo1->document();
    if (doc->isEmpty())
        return 0;
    // A final line break leaves an empty last block, which is no line.
    return doc->blockCount() - (doc->lastBlock().text().isEmpty() ? 1 : 0);
}

void TForm2::applyParse(const std::optional<kav::BetListParse>& parse) {
    Label4->setText(QString::fromStdString(kav::applyBetListParse(model_, parse)));
    parsedInSync_ = parse.has_value();
    if (parse)
        recountCoverage();
}

void TForm2::parseBetList() {
    if (bulk_ || Memo1->isHidden())
        return;
    applyParse(kav::parseBetList(betLines()));
}

void TForm2::appendBetLines(const kav::Lines& lines) {
    if (lines.empty())
        return;
    const int before = memoLineCount();
    const bool incremental = parsedInSync_ && before == static_cast<int>(model_.betMasks.size()) &&
                             std::all_of(lines.begin(), lines.end(),
                                         [](const std::string& l) { return storedAsGiven(l); });
    QTextDocument* doc = Memo1->document();
    QString text = QString::fromStdString(kav::joinLines(lines));
    if (!doc->isEmpty() && !doc->lastBlock().text().isEmpty())
        text.prepend(QLatin1Char('\n'));
    const bool wasBulk = bulk_;
    bulk_ = true;
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    bulk_ = wasBulk;
    if (bulk_ || Memo1->isHidden())
        return; // the bulk writer parses at its end
    if (!incremental || memoLineCount() != before + static_cast<int>(lines.size())) {
        parseBetList();
        return;
    }
    std::vector<kav::BetMask> masks;
    masks.reserve(lines.size());
    std::int64_t count = 0;
    kav::Fixed4 total;
    for (const auto& line : lines) {
        const kav::ParsedLine p = kav::parseBetLine(line);
        if (p.failed) {
            parseBetList(); // the whole list fails as a full parse would
            return;
        }
        masks.push_back(p.mask);
        if (p.mask.valid()) {
            count += static_cast<std::int64_t>(p.variants);
            total += p.amount;
        }
    }
    model_.betMasks.insert(model_.betMasks.end(), masks.begin(), masks.end());
    model_.betCount += count;
    model_.betTotal += total;
    Label4->setText(QString::fromStdString(kav::betListStatus(
        model_.betCount, model_.betTotal, kav::currencySuffixFor(model_.drawCountry))));
    recountCoverage();
}

void TForm2::setBetLinesBulk(const kav::Lines& lines) {
    const bool wasBulk = bulk_;
    bulk_ = true;
    Memo1->setPlainText(QString::fromStdString(kav::joinLines(lines)));
    bulk_ = wasBulk;
    parseBetList();
}

void TForm2::clearBetList() {
    const bool wasBulk = bulk_;
    bulk_ = true;
    Memo1->clear();
    bulk_ = wasBulk;
    kav::clearBetList(model_);
    Label4->clear();
    parsedInSync_ = true;
}

void TForm2::MN4Click() {
    Memo1->selectAll();
    QGuiApplication::clipboard()->setText(Memo1->toPlainText());
}

void TForm2::N27Click() {
    kav::RemovalResult r = kav::removeMarkedVariants(model_, betLines());
    if (r.message)
        showMessage(this, *r.message);
    if (r.ran)
        setBetLinesBulk(r.lines);
}

void TForm2::MN6Click() {
    clearBetList();
    parseBetList();
}

} // namespace kav::ui
