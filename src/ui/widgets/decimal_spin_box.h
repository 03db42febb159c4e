// A spin box for a percentage or an amount with decimals: shown with "." as
// the decimal separator in every locale, typed with "." or "," alike ("80,5"
// is 80.5), as every amount of the program is typed. A value out of range is
// brought to the nearest bound when the field is left.
#pragma once

#include <QDoubleSpinBox>

namespace kav::ui {

class DecimalSpinBox final : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit DecimalSpinBox(QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

} // namespace kav::ui
