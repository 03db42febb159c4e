#include "ui/widgets/decimal_spin_box.h"

#include "core/base/fixed4.h"
#include "core/base/general_format.h"

#include <QLocale>

#include <QRegularExpression>
#include <algorithm>

namespace kav::ui {

namespace {

// The typed text without the spin box's prefix and suffix.
QString bareText(const QDoubleSpinBox& box, QString text) {
    if (!box.prefix().isEmpty() && text.startsWith(box.prefix()))
        text.remove(0, box.prefix().size());
    if (!box.suffix().isEmpty() && text.endsWith(box.suffix()))
        text.chop(box.suffix().size());
    return text.trimmed();
}

} // namespace

DecimalSpinBox::DecimalSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(c);
}

// Leaving the field with an amount out of range brings it to the nearest
// bound; a text that is no amount gives back the value before.
void DecimalSpinBox::fixup(QString& input) const {
    if (const auto v = kav::Fixed4::parseTyped(bareText(*this, input).toStdString()))
        input =
            prefix() + textFromValue(std::clamp(v->toDouble(), minimum(), maximum())) + suffix();
}

QString DecimalSpinBox::textFromValue(double value) const {
    return QString::fromStdString(kav::fixedText(value, decimals()));
}

double DecimalSpinBox::valueFromText(const QString& text) const {
    const auto v = kav::Fixed4::parseTyped(bareText(*this, text).toStdString());
    return v ? v->toDouble() : value();
}

QValidator::State DecimalSpinBox::validate(QString& input, int& /*pos*/) const {
    const QString bare = bareText(*this, input);
    if (bare.isEmpty() || bare == QLatin1String("-") || bare == QLatin1String("+"))
        return QValidator::Intermediate;
    for (QChar ch : bare)
        if (!ch.isDigit() && ch != QLatin1Char('.') && ch != QLatin1Char(','))
            return QValidator::Invalid;
    const qsizetype separator = bare.indexOf(QRegularExpression(QStringLiteral("[.,]")));
    if (separator >= 0 &&
        (bare.size() - separator - 1 > decimals() ||
         bare.indexOf(QRegularExpression(QStringLiteral("[.,]")), separator + 1) >= 0))
        return QValidator::Invalid;
    const auto v = kav::Fixed4::parseTyped(bare.toStdString());
    if (!v)
        return QValidator::Intermediate; // "80," on the way to "80,5"
    // Out of range while typing ("150,5" on its way nowhere): kept as typed,
    // and brought to the nearest bound when the field is left.
    const double d = v->toDouble();
    return d < minimum() || d > maximum() ? QValidator::Intermediate : QValidator::Acceptable;
}

} // namespace kav::ui
