// The stake field: a money amount with a minimum, shown as "1 000.00 руб." while
// the player is not typing in it and as a plain number while he is. Typed text
// that is no amount at or above the minimum is refused with a message.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/base/fixed4.h"
#endif

#include <QLineEdit>

#include <optional>
#include <string>

namespace kav::ui {

// "1 234.50 руб.": thousands separated by a blank, two decimals (rounded half to
// even), then the suffix.
QString moneyDisplayText(kav::Fixed4 value, const QString& suffix);

class MoneyEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit MoneyEdit(QWidget* parent = nullptr);

    // The value is rounded to whole kopecks and never held below the minimum.
    void setValue(kav::Fixed4 value);
    kav::Fixed4 value() const { return value_; }
    void setMinimum(kav::Fixed4 minimum);
    kav::Fixed4 minimum() const { return minimum_; }
    void setSuffix(const QString& suffix);
    // The field's width, or more when its amount needs it.
    void setBaseWidth(int width);
    QString suffix() const { return suffix_; }

    // The stake as the bet lines need it ("20", "20.5"). While the player is typing,
    // the typed amount; empty when what he typed is no amount or below the minimum,
    // so that actions needing a stake refuse instead of guessing.
    std::string stakeText() const;
    std::optional<kav::Fixed4> stake() const;

    bool isEditing() const { return editing_; }

Q_SIGNALS:
    // The amount may have changed: typed by the player or set by the program.
    void stakeChanged();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void commit();
    void refuse(const QString& typed);
    void showValue();
    void fitWidth();
    std::optional<kav::Fixed4> typedStake() const;

    kav::Fixed4 value_;
    kav::Fixed4 minimum_;
    QString suffix_;
    bool editing_ = false;
    int baseWidth_ = 0;
};

} // namespace kav::ui
