#include "ui/nearest_systems_window.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <numeric>

namespace kav::ui {

namespace {

constexpr int kDesignedRows = 9;
constexpr int kDesignedColumnWidth = 63; // three columns and the frame: 201 pixels

// Header row bold on light grey, data rows regular on white, text centred.
class NearestDelegate final : public QStyledItemDelegate {
public:
    explicit NearestDelegate(NearestSystemsWindow* form, QObject* parent)
        : QStyledItemDelegate(parent), form_(form) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const QString text = index.data().toString();
        const QFont font = form_->cellFont(index.row() == 0);
        const QFontMetrics fm(font);
        p->save();
        p->setFont(font);
        p->setPen(QPen(Qt::black, 0));
        p->setBrush(index.row() == 0 ? QColor(204, 204, 204) : QColor(Qt::white));
        p->drawRect(QRect(r.x() - 1, r.y() - 1, r.width() + 1, r.height() + 1));
        const int x = (2 * r.x() + r.width() - fm.horizontalAdvance(text)) / 2;
        p->drawText(QPoint(x, r.y() + 2 + fm.ascent()), text);
        p->restore();
    }

private:
    NearestSystemsWindow* form_;
};

} // namespace

// Always on top and without title-bar buttons: it only follows the main window.
NearestSystemsWindow::NearestSystemsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Ближайшие варианты"));
    move(695, 346);

    StringGrid1 = new QTableWidget(kDesignedRows, kColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    StringGrid1->setStyleSheet(
        QStringLiteral("QTableView { gridline-color: black; background: white; }"));
    StringGrid1->setItemDelegate(new NearestDelegate(this, StringGrid1));
    for (int r = 0; r < kDesignedRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem());

    StringGrid1->move(0, 0);

    Button1 = new QPushButton(QStringLiteral("Рассчитать систему"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, &NearestSystemsWindow::computeRequested);

    widths_.fill(kDesignedColumnWidth);
    fitToTexts();
}

QFont NearestSystemsWindow::cellFont(bool bold) const {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(11);
    f.setBold(bold);
    return f;
}

QString NearestSystemsWindow::cellText(int col, int row) const {
    const QTableWidgetItem* it = StringGrid1->item(row, col);
    return it ? it->text() : QString();
}

int NearestSystemsWindow::rowCount() const {
    return StringGrid1->rowCount();
}

void NearestSystemsWindow::setCell(int col, int row, const QString& text) {
    if (!StringGrid1->item(row, col))
        StringGrid1->setItem(row, col, new QTableWidgetItem());
    StringGrid1->item(row, col)->setText(text);
}

void NearestSystemsWindow::showNearestSystems(const std::vector<kav::TemplateEntry>& rows,
                                              std::optional<kav::kombin::Key> computable) {
    computable_ = computable;
    Button1->setVisible(computable_.has_value());
    if (computable_)
        Button1->setToolTip(QStringLiteral("Рассчитать бриф-систему %1-%2-%3 (удвоения, "
                                           "утроения, гарантированные угадывания) и сохранить её "
                                           "среди шаблонов")
                                .arg(computable_->doubles)
                                .arg(computable_->triples)
                                .arg(computable_->hits));
    show();
    setCell(0, 0, QStringLiteral("«2»"));
    setCell(1, 0, QStringLiteral("«3»"));
    setCell(2, 0, QStringLiteral("Ставок"));
    const int listed = static_cast<int>(std::min<std::size_t>(rows.size(), kDesignedRows - 1));
    StringGrid1->setRowCount(std::max(2, listed + 1));
    for (int i = 0; i < listed; ++i) {
        const auto& e = rows[static_cast<std::size_t>(i)];
        setCell(0, i + 1, QString::number(e.doubles));
        setCell(1, i + 1, QString::number(e.triples));
        setCell(2, i + 1, QString::number(e.systemBets));
    }
    if (listed == 0) {
        setCell(0, 1, QStringLiteral("Нет"));
        setCell(1, 1, QString());
        setCell(2, 1, QString());
    }
    fitToTexts();
}

void NearestSystemsWindow::fitToTexts() {
    const QFontMetrics regular(cellFont(false)), bold(cellFont(true));
    const int rows = StringGrid1->rowCount();
    for (int c = 0; c < kColumns; ++c) {
        auto& w = widths_[static_cast<std::size_t>(c)];
        for (int r = 0; r < rows; ++r) {
            const int tw = (r == 0 ? bold : regular).horizontalAdvance(cellText(c, r));
            if (tw > w - 4)
                w = tw + 4;
        }
        StringGrid1->setColumnWidth(c, w + 1); // the section holds the grid line too
    }
    StringGrid1->setFixedSize(std::accumulate(widths_.begin(), widths_.end(), 0) + 10,
                              rows * (kRowHeight + 1) + 4);
    if (Button1->isVisibleTo(this)) {
        // The button spans the window under the grid.
        const int width = StringGrid1->width();
        Button1->setGeometry(4, StringGrid1->height() + 4, width - 8, Button1->sizeHint().height());
        setFixedSize(width, Button1->geometry().bottom() + 5);
    } else {
        setFixedSize(StringGrid1->size());
    }
}

} // namespace kav::ui
