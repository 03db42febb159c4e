#include "ui/widgets/money_edit.h"

#include "ui/widgets/message_box.h"

#include <QTimer>

namespace kav::ui {

namespace {

// Whole kopecks, halves to the even neighbour.
kav::Fixed4 roundToKopecks(kav::Fixed4 v) {
    std::int64_t raw = v.raw();
    std::int64_t q = raw / 100, r = raw % 100;
    if (r < 0) {
        r += 100;
        --q;
    }
    if (r > 50 || (r == 50 && (q % 2 != 0)))
        ++q;
    return kav::Fixed4::fromRaw(q * 100);
}

} // namespace

QString moneyDisplayText(kav::Fixed4 value, const QString& suffix) {
    std::int64_t kopecks = roundToKopecks(value).raw() / 100;
    bool negative = kopecks < 0;
    std::uint64_t abs =
        negative ? 0 - static_cast<std::uint64_t>(kopecks) : static_cast<std::uint64_t>(kopecks);
    std::string whole = std::to_string(abs / 100);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += ' ';
        grouped += whole[i];
    }
    std::string out = negative ? "-" : "";
    out += grouped;
    out += '.';
    out += static_cast<char>('0' + abs % 100 / 10);
    out += static_cast<char>('0' + abs % 10);
    return QString::fromStdString(out) + suffix;
}

MoneyEdit::MoneyEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Anything may be typed ("." or "," as the decimal point, as Russian players
    // type it); what is no amount is refused, by name, when the field is left.
    setMaxLength(40);
    connect(this, &QLineEdit::textEdited, this, [this] { Q_EMIT stakeChanged(); });
    connect(this, &QLineEdit::returnPressed, this, [this] {
        commit();
        editing_ = true;
        setText(QString::fromStdString(value_.moneyText()));
        selectAll();
    });
    showValue();
}

void MoneyEdit::setValue(kav::Fixed4 value) {
    value_ = std::max(roundToKopecks(value), minimum_);
    if (editing_)
        setText(QString::fromStdString(value_.moneyText()));
    else
        showValue();
    Q_EMIT stakeChanged();
}

void MoneyEdit::setMinimum(kav::Fixed4 minimum) {
    minimum_ = roundToKopecks(minimum);
    if (value_ < minimum_)
        setValue(minimum_);
}

void MoneyEdit::setSuffix(const QString& suffix) {
    suffix_ = suffix;
    if (!editing_)
        showValue();
}

std::optional<kav::Fixed4> MoneyEdit::typedStake() const {
    auto v = kav::Fixed4::parseTyped(text().toStdString());
    if (!v)
        return std::nullopt;
    kav::Fixed4 r = roundToKopecks(*v);
    if (r < minimum_)
        return std::nullopt;
    return r;
}

std::optional<kav::Fixed4> MoneyEdit::stake() const {
    if (editing_)
        return typedStake();
    return value_;
}

std::string MoneyEdit::stakeText() const {
    auto v = stake();
    return v ? v->moneyText() : std::string();
}

void MoneyEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (editing_)
        return;
    editing_ = true;
    setText(QString::fromStdString(value_.moneyText()));
    // Select after the toolkit has placed the cursor for the click that focused us.
    QTimer::singleShot(0, this, [this] {
        if (editing_)
            selectAll();
    });
}

void MoneyEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    commit();
}

// Typed text that is no amount, or an amount below the minimum, keeps the
// previous value and is refused with a message that names it; an empty field
// just keeps the value.
void MoneyEdit::commit() {
    if (!editing_)
        return;
    editing_ = false;
    const QString typed = text().trimmed();
    if (const auto v = typedStake())
        value_ = *v;
    else if (!typed.isEmpty())
        refuse(typed);
    showValue();
    Q_EMIT stakeChanged();
}

// After the focus has settled: a modal box while the focus is leaving the
// field would pull it away a second time.
void MoneyEdit::refuse(const QString& typed) {
    const kav::Message refusal{"«" + typed.toStdString() +
                                   "» — не сумма на ставку.\nВведите сумму не меньше " +
                                   moneyDisplayText(minimum_, suffix_).toStdString() +
                                   (suffix_.endsWith(QLatin1Char('.')) ? "" : "."),
                               "Сумма на ставку"};
    QTimer::singleShot(0, this, [this, refusal] { showMessage(window(), refusal); });
}

void MoneyEdit::setBaseWidth(int width) {
    baseWidth_ = width;
    fitWidth();
}

// Any stake the field accepts is shown whole: the field grows beyond its base
// width for a long amount.
void MoneyEdit::fitWidth() {
    if (baseWidth_ <= 0)
        return;
    const int text = fontMetrics().horizontalAdvance(moneyDisplayText(value_, suffix_));
    const QMargins m = textMargins() + contentsMargins();
    // The frame and the text's own margin inside the line edit.
    const int needed = text + m.left() + m.right() + 12;
    setFixedWidth(std::max(baseWidth_, needed));
}

void MoneyEdit::showValue() {
    setText(moneyDisplayText(value_, suffix_));
    fitWidth();
}

} // namespace kav::ui
