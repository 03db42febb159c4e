#include "ui/forming/nearest_systems_window.h"

#include "ui/widgets/side_windows.h"

#include "core/kombin/compute.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <numeric>

namespace kav::ui {

namespace {

constexpr int kDesignedRows = 9;
constexpr int kDesignedColumnWidth = 63; // three columns and the frame: 201 pixels

// Header row bold on light grey, data rows regular on white, text centred.
class NearestSystemsDelegate final : public QStyledItemDelegate {
public:
    explicit NearestSystemsDelegate(NearestSystemsWindow* form, QObject* parent)
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
// It never takes the focus from the outcome grid the player is clicking.
NearestSystemsWindow::NearestSystemsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("nearestSystemsWindow"));
    setWindowTitle(tr("Ближайшие варианты"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    move(695, 346);

    systemsTable_ = new QTableWidget(kDesignedRows, kColumns, this);
    systemsTable_->setObjectName(QStringLiteral("systemsTable"));
    systemsTable_->horizontalHeader()->hide();
    systemsTable_->verticalHeader()->hide();
    systemsTable_->horizontalHeader()->setMinimumSectionSize(1);
    systemsTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    systemsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    systemsTable_->verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
    systemsTable_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    systemsTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    systemsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    systemsTable_->setSelectionMode(QAbstractItemView::NoSelection);
    systemsTable_->setFocusPolicy(Qt::NoFocus);
    systemsTable_->setStyleSheet(
        QStringLiteral("QTableView { gridline-color: black; background: white; }"));
    systemsTable_->setItemDelegate(new NearestSystemsDelegate(this, systemsTable_));
    for (int r = 0; r < kDesignedRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            systemsTable_->setItem(r, c, new QTableWidgetItem());

    systemsTable_->move(0, 0);

    computeSystemButton_ = new QPushButton(tr("Рассчитать систему"), this);
    computeSystemButton_->setObjectName(QStringLiteral("computeSystemButton"));
    computeSystemButton_->hide();
    connect(computeSystemButton_, &QPushButton::clicked, this,
            &NearestSystemsWindow::computeRequested);

    triedSystemLabel_ = new QLabel(this);
    triedSystemLabel_->setObjectName(QStringLiteral("triedSystemLabel"));
    triedSystemLabel_->setWordWrap(true);
    triedSystemLabel_->hide();

    notComputableLabel_ = new QLabel(this);
    notComputableLabel_->setObjectName(QStringLiteral("notComputableLabel"));
    notComputableLabel_->setWordWrap(true);
    notComputableLabel_->hide();

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
    const QTableWidgetItem* it = systemsTable_->item(row, col);
    return it ? it->text() : QString();
}

int NearestSystemsWindow::rowCount() const {
    return systemsTable_->rowCount();
}

void NearestSystemsWindow::setCell(int col, int row, const QString& text) {
    if (!systemsTable_->item(row, col))
        systemsTable_->setItem(row, col, new QTableWidgetItem());
    systemsTable_->item(row, col)->setText(text);
}

void NearestSystemsWindow::rememberTooLarge(const kav::kombin::Key& key) {
    tooLarge_.insert(key);
}

void NearestSystemsWindow::showNearestSystems(const std::vector<kav::TemplateEntry>& rows,
                                              std::optional<kav::kombin::Key> computable,
                                              const QString& whyNotComputable) {
    const bool tried = computable && tooLarge_.count(*computable) > 0;
    computable_ = tried ? std::nullopt : computable;
    computeSystemButton_->setVisible(computable_.has_value());
    triedSystemLabel_->setVisible(tried);
    notComputableLabel_->setText(whyNotComputable);
    notComputableLabel_->setVisible(!computable && !whyNotComputable.isEmpty());
    if (tried)
        triedSystemLabel_->setText(
            tr("Система %1-%2-%3 уже рассчитывалась в этом сеансе: в ней больше "
               "%4 ставок.")
                .arg(computable->doubles)
                .arg(computable->triples)
                .arg(computable->hits)
                .arg(kav::kombin::kMaxComputedRows));
    if (computable_)
        computeSystemButton_->setToolTip(tr("Рассчитать бриф-систему %1-%2-%3 (удвоения, "
                                            "утроения, гарантированные угадывания) и сохранить её "
                                            "среди шаблонов")
                                             .arg(computable_->doubles)
                                             .arg(computable_->triples)
                                             .arg(computable_->hits));
    setCell(0, 0, QStringLiteral("«2»"));
    setCell(1, 0, QStringLiteral("«3»"));
    setCell(2, 0, tr("Ставок"));
    const int listed = static_cast<int>(std::min<std::size_t>(rows.size(), kDesignedRows - 1));
    systemsTable_->setRowCount(std::max(2, listed + 1));
    for (int i = 0; i < listed; ++i) {
        const auto& e = rows[static_cast<std::size_t>(i)];
        setCell(0, i + 1, QString::number(e.doubles));
        setCell(1, i + 1, QString::number(e.triples));
        setCell(2, i + 1, QString::number(e.systemBets));
    }
    if (listed == 0) {
        setCell(0, 1, tr("Нет"));
        setCell(1, 1, QString());
        setCell(2, 1, QString());
    }
    fitToTexts();
    if (!isVisible()) {
        placeBesideParent();
        show();
    }
}

void NearestSystemsWindow::placeBesideParent() {
    placeBeside(parentWidget(), {this});
}

void NearestSystemsWindow::fitToTexts() {
    const QFontMetrics regular(cellFont(false)), bold(cellFont(true));
    const int rows = systemsTable_->rowCount();
    for (int c = 0; c < kColumns; ++c) {
        auto& w = widths_[static_cast<std::size_t>(c)];
        for (int r = 0; r < rows; ++r) {
            const int tw = (r == 0 ? bold : regular).horizontalAdvance(cellText(c, r));
            if (tw > w - 4)
                w = tw + 4;
        }
        systemsTable_->setColumnWidth(c, w + 1); // the section holds the grid line too
    }
    systemsTable_->setFixedSize(std::accumulate(widths_.begin(), widths_.end(), 0) + 10,
                                rows * (kRowHeight + 1) + 4);
    if (computeSystemButton_->isVisibleTo(this)) {
        // The button spans the window under the grid.
        const int width = systemsTable_->width();
        computeSystemButton_->setGeometry(4, systemsTable_->height() + 4, width - 8,
                                          computeSystemButton_->sizeHint().height());
        setFixedSize(width, computeSystemButton_->geometry().bottom() + 5);
    } else if (QLabel* note = triedSystemLabel_->isVisibleTo(this)     ? triedSystemLabel_
                              : notComputableLabel_->isVisibleTo(this) ? notComputableLabel_
                                                                       : nullptr) {
        // The note wraps under the grid in the grid's width.
        const int width = systemsTable_->width();
        const int height = note->heightForWidth(width - 8);
        note->setGeometry(4, systemsTable_->height() + 4, width - 8, height);
        setFixedSize(width, note->geometry().bottom() + 5);
    } else {
        setFixedSize(systemsTable_->size());
    }
}

} // namespace kav::ui
