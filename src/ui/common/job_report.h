// What a long job did, told to the player: the window's status line says how
// the bet list changed and what that costs, and an action that would add a very
// large number of variants asks first.
#pragma once

#ifndef Q_MOC_RUN
#include "core/base/fixed4.h"
#include "core/bets/bet_list.h"
#endif

#include <QString>

#include <cstdint>
#include <string>

class QWidget;

namespace kav::ui {

class Session;

// Beyond this many variants an action asks before adding them.
constexpr std::uint64_t kLargeAppend = 100'000;

// The variants of `lines` and their amount.
struct LineTally {
    std::uint64_t variants = 0;
    kav::Fixed4 amount;
};
LineTally tallyLines(const kav::Lines& lines);

// "2400 руб." in the currency of the session's draw.
QString moneyText(const Session& session, kav::Fixed4 amount);

// The bet list's count and amount when it was made; change() tells what came
// or went since: "добавлено ставок 120 (2400 руб.)", "изъято ставок 30 (600
// руб.)" or "список не изменился".
class ListChange {
public:
    explicit ListChange(const Session& session);
    QString change() const;

private:
    const Session& session_;
    std::int64_t count_ = 0;
    kav::Fixed4 total_;
};

// `text` ending in a full stop ("20 руб." keeps its own).
std::string sentence(const QString& text);

// The text in the status line of the main window `window` is or belongs to,
// until the next one.
void showStatus(QWidget* window, const QString& text);

// More than kLargeAppend variants: asks `question`, a pattern with the number
// of variants (%1) and their amount as a sentence (%2), e.g. "Будет добавлено
// %1 вариантов на %2 Добавить их все в список?"; true to go on (always for fewer).
bool confirmLargeAppend(QWidget* window, const Session& session, const QString& title,
                        const QString& question, const LineTally& tally);

} // namespace kav::ui
