// ZoneGrid: the coverage map's zone grid. Row 0 is the header "1", "X", "2",
// column 0 the event titles; an outcome cell is selected when its text, trimmed,
// is not empty. The grid paints itself and reports a cell becoming current
// (by mouse or arrow keys); the fixed header row and title column never do.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

namespace kav::ui {

class ZoneGrid final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 4;
    static constexpr int kRows = 16;
    static constexpr int kRowHeight = 20;
    static constexpr std::array<int, kColumns> kWidths{120, 20, 20, 20};

    explicit ZoneGrid(QWidget* parent = nullptr);

    QString cellText(int col, int row) const { return texts_[row][col]; }
    void setCellText(int col, int row, const QString& text);
    bool selected(int col, int row) const { return !texts_[row][col].trimmed().isEmpty(); }

    // Outcome cells drawn yellow when selected: the outcomes of the pointed result.
    void setHighlight(std::function<bool(int event0, int outcome0)> highlight);

    // The cell rectangle without its grid line.
    QRect cellRect(int col, int row) const;
    int currentCol() const { return col_; }
    int currentRow() const { return row_; }

Q_SIGNALS:
    void selectCell(int col, int row);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void moveTo(int col, int row);

    std::array<std::array<QString, kColumns>, kRows> texts_;
    std::function<bool(int, int)> highlight_;
    int col_ = 1;
    int row_ = 1;
};

} // namespace kav::ui
