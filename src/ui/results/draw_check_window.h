// DrawCheckWindow: the check of the bet list after the draw. The player types
// or pastes the result (a void event is "-") and, when known, the prize per
// category; the window shows the package table (winners, prize times winners,
// return, stake, profit) and the winning lines, which can be copied or saved.
// Prizes not typed are estimated from the pool and marked as estimates.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/bets/bet_list.h"
#include "core/check/draw_result.h"
#include "core/check/package_check.h"
#include "core/check/prizes.h"
#endif

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kav::ui {

class Session;

class DrawCheckWindow final : public QWidget {
    Q_OBJECT
public:
    // The window checks the session's bet list against its draw; the session
    // must outlive the window.
    explicit DrawCheckWindow(Session& session, QWidget* parent = nullptr);

    // The result and prizes kept for the draw, put into the fields (nothing
    // typed clears them).
    void setKeptResult(const std::optional<kav::DrawResult>& result,
                       const kav::TypedPrizes& prizes);
    // "Вставить результат и выигрыши": a pasted announcement (the result and
    // prize lines) put into the fields; a text without a result changes
    // nothing and says why.
    void pasteResultBlock(const QString& text);
    // The result as typed; nothing while it is incomplete or malformed.
    const std::optional<kav::DrawResult>& result() const { return result_; }
    // The prizes of the categories the player typed (blank ones have none). A
    // field that holds no amount counts as blank and `problem` names it.
    kav::TypedPrizes typedPrizes(std::string* problem = nullptr) const;
    const kav::PackageCheck& check() const { return check_; }
    // The winning lines of the last check as the bet list holds them.
    kav::Lines winningLines() const;

    // Upper bound of the winning lines listed in the window (all of them are
    // copied and saved).
    static constexpr int kListedLines = 2000;

Q_SIGNALS:
    // "Сохранить результат в архив".
    void keepResultRequested(const kav::DrawResult& result, const kav::TypedPrizes& prizes);

private:
    void createLayout();
    void connectLayout();
    // Reads the fields, checks the list and shows the tables.
    void recheck();
    void showPackageTable(const kav::PrizeList& prizes, const std::array<bool, 7>& estimated);
    void showWinningLines();
    void copyWinningLines();
    void saveWinningLines();

    Session& session_;
    std::optional<kav::DrawResult> result_;
    kav::PackageCheck check_;

    QLineEdit* resultEdit_ = nullptr;
    QLabel* resultHintLabel_ = nullptr;
    std::array<QLineEdit*, 7> prizeEdits_{};
    QLabel* estimateLabel_ = nullptr;
    QTableWidget* packageTable_ = nullptr;
    QLabel* returnLabel_ = nullptr;
    QTableWidget* winningLinesTable_ = nullptr;
    QLabel* winningLinesLabel_ = nullptr;
    QPushButton* copyWinningButton_ = nullptr;
    QPushButton* saveWinningButton_ = nullptr;
    QPushButton* keepResultButton_ = nullptr;
    QPushButton* pasteResultButton_ = nullptr;
};

} // namespace kav::ui
