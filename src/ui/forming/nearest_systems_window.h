// NearestSystemsWindow: the nearest brief systems, shown beside the main window when no
// template fits the marked outcomes.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/forming/templates.h"
#include "core/kombin/code.h"
#endif

#include <QWidget>

#include <array>
#include <optional>
#include <set>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kav::ui {

class NearestSystemsWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 3;
    static constexpr int kRowHeight = 22; // without the grid line

    explicit NearestSystemsWindow(QWidget* parent = nullptr);

    // Shows the window with the header and one row per template; "Нет" in a
    // single row when nothing is listed. With a key, "Рассчитать систему"
    // offers to compute the system of the selection, unless that key was
    // tried in this session and gave too large a system: a note says so then.
    // Without a key, `whyNotComputable` (when not empty) stands under the grid.
    // A hidden window opens beside its parent without taking the focus; a
    // shown one changes its contents in place.
    void showNearestSystems(const std::vector<kav::TemplateEntry>& rows,
                            std::optional<kav::kombin::Key> computable = std::nullopt,
                            const QString& whyNotComputable = QString());
    // The key "Рассчитать систему" stands for; nothing when it is not offered.
    const std::optional<kav::kombin::Key>& computableKey() const { return computable_; }
    // The computed system of the key had more bets than a brief system may;
    // the key is not offered again in this session.
    void rememberTooLarge(const kav::kombin::Key& key);

    QString cellText(int col, int row) const;
    int rowCount() const;
    int columnWidthOf(int col) const { return widths_[static_cast<std::size_t>(col)]; }
    QFont cellFont(bool bold) const;

Q_SIGNALS:
    void computeRequested();

private:
    QTableWidget* systemsTable_ = nullptr;
    QPushButton* computeSystemButton_ = nullptr;
    QLabel* triedSystemLabel_ = nullptr;
    QLabel* notComputableLabel_ = nullptr;
    void setCell(int col, int row, const QString& text);
    // Beside the parent window: right of it, or left when the screen has no
    // room there, never over its outcome grid.
    void placeBesideParent();
    // Columns grow to fit their texts; the grid and the window follow.
    void fitToTexts();

    std::array<int, kColumns> widths_{};
    std::optional<kav::kombin::Key> computable_;
    std::set<kav::kombin::Key> tooLarge_;
};

} // namespace kav::ui
