#include "ui/widgets/outcome_grid.h"

#include <algorithm>
#include <cmath>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include <algorithm>
#include <numeric>

namespace kav::ui {

CellFill outcomeCellFill(const kav::DrawModel& m, const GridPaintState& s, int event0,
                         int outcome0) {
    if (!m.marked(event0, outcome0))
        return CellFill::White;
    const kav::Fixed4 threshold = kav::Fixed4::fromInt(s.threshold);
    if (s.mode == kav::PacketMode::Sensations && s.byQuotes &&
        m.quotes[event0][outcome0] < threshold)
        return CellFill::Yellow;
    if (s.mode == kav::PacketMode::Sensations && s.byPool &&
        m.poolShares[event0][outcome0] < threshold)
        return CellFill::Yellow;
    if (s.mode == kav::PacketMode::BriefSystems && s.forcedChecked &&
        m.forcedBet[static_cast<std::size_t>(event0)] == kav::outcomeLetter(outcome0))
        return CellFill::Yellow;
    return CellFill::Green;
}

namespace {

const QColor kHeaderGrey(204, 204, 204);
const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);

} // namespace

// Paints the cells as the grid documents them; the toolkit's own painting
// (selection highlight, focus frame styles) is not used.
class GridDelegate final : public QStyledItemDelegate {
public:
    explicit GridDelegate(OutcomeGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row(), col = index.column();
        // Cell rectangle in the grid's terms: right and bottom are exclusive.
        const int L = option.rect.x(), T = option.rect.y();
        const int W = option.rect.width(), H = option.rect.height();
        QString text = index.data().toString();
        p->save();
        p->setRenderHint(QPainter::Antialiasing, false);
        const QFont font = grid_->cellFont(row == 0);
        p->setFont(font);
        p->setPen(QPen(Qt::black, 0));
        const QFontMetrics fm(font);
        const int tw = fm.horizontalAdvance(text);
        const int centredX = (2 * L + W - tw) / 2;
        // A stroked QRect covers one pixel more than its size, like the grid's
        // rectangles with exclusive right and bottom edges.
        const QRect outer(L - 1, T - 1, W + 1, H + 1);
        int textX = centredX;
        if (row == 0) {
            p->setBrush(kHeaderGrey);
            p->drawRect(outer);
        } else if (col == 0) {
            p->setBrush(Qt::white);
            p->drawRect(outer);
            textX = L + 2;
            text = fm.elidedText(text, Qt::ElideRight, W - 4);
        } else if (grid_->valueView()) {
            const CellFill fill = grid_->fillOf(row - 1, col - 1);
            const auto value = grid_->valueOf(row - 1, col - 1);
            p->setBrush(value ? valueColour(*value) : QColor(Qt::white));
            p->drawRect(outer);
            if (fill != CellFill::White) {
                p->setBrush(Qt::NoBrush);
                p->setPen(QPen(fill == CellFill::Yellow ? kYellow : kGreen, 3));
                p->drawRect(QRect(L + 2, T + 2, W - 5, H - 5));
            }
            text = value
                       ? QString::number(*value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','))
                       : QStringLiteral("—");
            textX = (2 * L + W - fm.horizontalAdvance(text)) / 2;
        } else {
            const CellFill fill = grid_->fillOf(row - 1, col - 1);
            if (fill == CellFill::White) {
                p->setBrush(Qt::white);
                p->drawRect(outer);
            } else {
                // The margin keeps the grid's white, whatever the row panel drew.
                p->fillRect(QRect(L, T, W, H), Qt::white);
                p->setBrush(fill == CellFill::Yellow ? kYellow : kGreen);
                p->drawRect(QRect(L + 3, T + 3, W - 7, H - 7));
            }
        }
        p->setPen(Qt::black);
        p->drawText(QPoint(textX, T + 2 + fm.ascent()), text);
        if ((option.state & QStyle::State_HasFocus) && row > 0) {
            p->setBrush(Qt::NoBrush);
            p->setPen(QPen(Qt::black, 0, Qt::DotLine));
            p->drawRect(QRect(L + 1, T + 1, W - 3, H - 3));
        }
        p->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(15);
        editor->setFont(f);
        QPalette pal = editor->palette();
        pal.setColor(QPalette::Text, Qt::red);
        editor->setPalette(pal);
        editor->setFrame(false);
        grid_->editor_ = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* e = static_cast<QLineEdit*>(editor);
        const QString t = index.data().toString();
        if (e->text() != t) // keeps the cursor where the player is typing
            e->setText(t);
    }

    // Enter, Tab or leaving the cell: the window reads the typed text and writes
    // the cell back from the draw; the cell itself is not changed here.
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        const QString t = static_cast<QLineEdit*>(editor)->text();
        if (index.data().toString() != t)
            Q_EMIT grid_->quoteEntered(index.column(), index.row(), t);
    }

private:
    OutcomeGrid* grid_;
};

OutcomeGrid::OutcomeGrid(QWidget* parent) : QTableWidget(kRows, kColumns, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: black; background: white; }"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(new GridDelegate(this));
    setTabKeyNavigation(true);
    setWordWrap(false);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem();
            if (r == 0)
                item->setFlags(Qt::NoItemFlags);
            else if (c == 0)
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            else
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            setItem(r, c, item);
        }
    }
    widths_ = {titleFloor_, 39, 39, 39};
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    applyWidths();
    selectionModel()->setCurrentIndex(model()->index(1, 0), QItemSelectionModel::NoUpdate);
    setEditing(false);
}

QFont OutcomeGrid::cellFont(bool bold) const {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(15);
    f.setBold(bold);
    return f;
}

void OutcomeGrid::setCellText(int col, int row, const QString& text) {
    item(row, col)->setText(text);
}

QColor valueColour(double ratio) {
    if (!(ratio > 0))
        return Qt::white;
    const double t = std::clamp(std::log2(ratio), -1.0, 1.0);
    const QColor towards = t > 0 ? QColor(0x4c, 0xb0, 0x4c) : QColor(0xe0, 0x50, 0x50);
    const double a = std::abs(t);
    auto mix = [a](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * a));
    };
    return QColor(mix(255, towards.red()), mix(255, towards.green()), mix(255, towards.blue()));
}

void OutcomeGrid::setValueFunction(std::function<std::optional<double>(int, int)> value) {
    value_ = std::move(value);
    viewport()->update();
}

std::optional<double> OutcomeGrid::valueOf(int event0, int outcome0) const {
    return value_ ? value_(event0, outcome0) : std::nullopt;
}

QString OutcomeGrid::cellText(int col, int row) const {
    return item(row, col)->text();
}

void OutcomeGrid::setEditing(bool on) {
    if (!on && editor_) {
        commitData(editor_);
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
    }
    editing_ = on;
    dragging_ = false;
    setSelectionMode(on ? QAbstractItemView::SingleSelection
                        : QAbstractItemView::ContiguousSelection);
    setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void OutcomeGrid::setFillFunction(std::function<CellFill(int, int)> fill) {
    fill_ = std::move(fill);
    viewport()->update();
}

CellFill OutcomeGrid::fillOf(int event0, int outcome0) const {
    return fill_ ? fill_(event0, outcome0) : CellFill::White;
}

void OutcomeGrid::setAllColumnWidths(int width) {
    widths_.fill(width);
    titleFloor_ = width;
    fitColumns();
}

// A text wider than its column minus 4 pixels widens the column to the text plus 4;
// the title column is fitted anew to the titles it holds now.
void OutcomeGrid::fitColumns() {
    if (fitting_)
        return;
    const int fittedBefore = fittedWidth();
    const QFontMetrics regular(cellFont(false)), bold(cellFont(true));
    int widestTitle = titleFloor_;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const QTableWidgetItem* it = item(r, c);
            if (!it)
                continue; // still being built
            const QFontMetrics& fm = r == 0 ? bold : regular;
            const int tw = fm.horizontalAdvance(it->text());
            if (c == 0)
                widestTitle = std::max(widestTitle, tw + 4);
            else if (tw > widths_[c] - 4)
                widths_[c] = tw + 4;
        }
    }
    widths_[0] = std::min(widestTitle, std::max(titleFloor_, kWidestTitleColumn));
    applyWidths();
    if (fittedWidth() != fittedBefore)
        Q_EMIT fittedWidthChanged(fittedWidth());
}

int OutcomeGrid::fittedWidth() const {
    return std::accumulate(widths_.begin(), widths_.end(), 0) + 10;
}

QSize OutcomeGrid::sizeHint() const {
    return {fittedWidth(), QTableWidget::sizeHint().height()};
}

QSize OutcomeGrid::minimumSizeHint() const {
    // The outcome columns whole and a few letters of the titles.
    return {fittedWidth() - widths_[0] + 40, QTableWidget::minimumSizeHint().height()};
}

void OutcomeGrid::applyWidths() {
    for (int c = 1; c < kColumns; ++c)
        if (columnWidth(c) != widths_[c] + 1)
            setColumnWidth(c, widths_[c] + 1); // the section holds the grid line too
    updateGeometry();
    fitTitleSection();
}

void OutcomeGrid::fitTitleSection() {
    int outcomes = 0;
    for (int c = 1; c < kColumns; ++c)
        outcomes += columnWidth(c);
    // Laid out, the title column fills the row; before that it has its fitted width.
    const int title = testAttribute(Qt::WA_Resized) || isVisible()
                          ? std::max(1, viewport()->width() - outcomes)
                          : widths_[0] + 1;
    const QScopedValueRollback<bool> fitting(fitting_, true);
    if (columnWidth(0) != title)
        setColumnWidth(0, title);
    for (int r = 1; r < kRows; ++r) {
        QTableWidgetItem* it = item(r, 0);
        if (!it)
            continue;
        const QString tip = titleElided(r) ? it->text() : QString();
        if (it->toolTip() != tip)
            it->setToolTip(tip);
    }
}

bool OutcomeGrid::titleElided(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it && QFontMetrics(cellFont(false)).horizontalAdvance(it->text()) > columnWidth(0) - 5;
}

void OutcomeGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                              const QList<int>& roles) {
    QTableWidget::dataChanged(topLeft, bottomRight, roles);
    if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
        fitColumns();
}

void OutcomeGrid::resizeEvent(QResizeEvent* e) {
    QTableWidget::resizeEvent(e);
    fitTitleSection();
}

void OutcomeGrid::showEvent(QShowEvent* e) {
    QTableWidget::showEvent(e);
    Q_EMIT fittedWidthChanged(fittedWidth());
}

void OutcomeGrid::openEditorAt(const QModelIndex& idx) {
    if (editing_ && (idx.flags() & Qt::ItemIsEditable))
        edit(idx);
}

void OutcomeGrid::mousePressEvent(QMouseEvent* e) {
    e->accept();
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton || !idx.isValid() || idx.row() < 1)
        return;
    if (!editing_) {
        const bool shift = e->modifiers() & Qt::ShiftModifier;
        QTableWidget::mousePressEvent(e); // current cell and range anchor
        if (!shift)
            Q_EMIT selectCell(idx.column(), idx.row());
        return;
    }
    // With editing on there are no ranges; a click on the current cell edits it.
    if (idx == currentIndex()) {
        openEditorAt(idx);
        return;
    }
    setCurrentIndex(idx);
    dragging_ = true;
    Q_EMIT selectCell(idx.column(), idx.row());
}

void OutcomeGrid::mouseMoveEvent(QMouseEvent* e) {
    if (!editing_) {
        QTableWidget::mouseMoveEvent(e);
        return;
    }
    e->accept();
    if (!dragging_ || !(e->buttons() & Qt::LeftButton))
        return;
    // Without ranges, dragging moves the current cell along.
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (idx.isValid() && idx.row() >= 1 && idx != currentIndex()) {
        setCurrentIndex(idx);
        Q_EMIT selectCell(idx.column(), idx.row());
    }
}

void OutcomeGrid::mouseReleaseEvent(QMouseEvent* e) {
    dragging_ = false;
    if (!editing_)
        QTableWidget::mouseReleaseEvent(e);
    else
        e->accept();
}

// The second click of a double click selects nothing; with editing on it opens
// the editor of the cell the first click made current.
void OutcomeGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && idx.isValid() && idx == currentIndex())
        openEditorAt(idx);
}

namespace {

bool isPasteTableKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_V && e->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

// The grid takes Ctrl+Shift+V before the window's shortcut of the same keys.
bool OutcomeGrid::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && isPasteTableKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QTableWidget::event(e);
}

// The keys that move the cursor never mark; Space (or Enter) marks the outcome
// under it, on a title the whole event.
void OutcomeGrid::keyPressEvent(QKeyEvent* e) {
    if (isPasteTableKey(e)) {
        e->accept();
        Q_EMIT pasteTableRequested();
        return;
    }
    const bool toggle = e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier;
    if (toggle &&
        (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        e->accept();
        const QModelIndex at = currentIndex();
        if (at.isValid() && at.row() >= 1)
            Q_EMIT selectCell(at.column(), at.row());
        return;
    }
    // Tab moves between the cells; Ctrl+Tab leaves the grid.
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
        (e->modifiers() & Qt::ControlModifier)) {
        e->accept();
        QWidget::focusNextPrevChild(e->key() == Qt::Key_Tab &&
                                    !(e->modifiers() & Qt::ShiftModifier));
        return;
    }
    QTableWidget::keyPressEvent(e);
}

} // namespace kav::ui
