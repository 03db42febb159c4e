#include "ui/draw/draw_entry_dialog.h"

#include "core/draw/quotes_file.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kav::ui {

namespace {

constexpr int kTitleColumn = 0;
constexpr int kValueColumn = 1; // three columns of odds or quotes
constexpr int kShareColumn = 4; // three columns of pool shares
constexpr int kColumns = 7;

const char* const kOutcomeNames[kav::kOutcomes] = {
    QT_TRANSLATE_NOOP("kav::ui::DrawEntryDialog", "П1"),
    QT_TRANSLATE_NOOP("kav::ui::DrawEntryDialog", "Х"),
    QT_TRANSLATE_NOOP("kav::ui::DrawEntryDialog", "П2")};

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString numberText(kav::Fixed4 v) {
    return qs(v.moneyText());
}

QString percentText(double fraction) {
    return QString::number(fraction * 100, 'f', 2) + QStringLiteral(" %");
}

} // namespace

DrawEntryDialog::DrawEntryDialog(const Session::DrawView& shown, Apply apply, QWidget* parent)
    : QDialog(parent), shown_(shown), apply_(std::move(apply)) {
    setObjectName(QStringLiteral("drawEntryDialog"));
    setWindowTitle(tr("Ввод тиража"));
    createLayout();
    showDraw(shown);
    connectLayout();
    showMargin();
}

void DrawEntryDialog::createLayout() {
    table_ = new QTableWidget(kav::kEvents, kColumns, this);
    table_->setObjectName(QStringLiteral("drawEntryTable"));
    QStringList headers{tr("Матч")};
    for (const char* o : kOutcomeNames)
        headers << tr(o);
    for (const char* o : kOutcomeNames)
        headers << tr("Пул %1, %").arg(tr(o));
    table_->setHorizontalHeaderLabels(headers);
    table_->horizontalHeader()->setSectionResizeMode(kTitleColumn, QHeaderView::Stretch);
    // Each number column as wide as its header, and no narrower than 64.
    const int margin = table_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, table_);
    for (int c = kValueColumn; c < kColumns; ++c)
        table_->setColumnWidth(
            c,
            std::max(64, table_->horizontalHeader()->fontMetrics().horizontalAdvance(headers[c]) +
                             2 * margin + 2));
    table_->setMinimumWidth(640);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * (kav::kEvents + 1) +
                             table_->horizontalHeader()->sizeHint().height());

    valuesCombo_ = new QComboBox(this);
    valuesCombo_->setObjectName(QStringLiteral("valuesCombo"));
    valuesCombo_->addItems({tr("котировки в процентах"), tr("коэффициенты букмекера")});
    marginCombo_ = new QComboBox(this);
    marginCombo_->setObjectName(QStringLiteral("marginCombo"));
    marginCombo_->addItems({tr("пропорционально"), tr("по Шину")});
    marginLabel_ = new QLabel(this);
    marginLabel_->setObjectName(QStringLiteral("marginLabel"));
    // Room for the margin from the start, so the dialog does not widen when it shows.
    marginLabel_->setMinimumWidth(
        marginLabel_->fontMetrics().horizontalAdvance(tr("маржа букмекера 00.00 %")));
    pasteButton_ = new QPushButton(tr("Вставить из буфера"), this);
    pasteButton_->setObjectName(QStringLiteral("pasteTableButton"));
    pasteButton_->setToolTip(
        tr("Таблица: матч в строке, название и три коэффициента или процента,\n"
           "затем, если есть, три доли пула"));

    auto* values = new QHBoxLayout;
    values->addWidget(new QLabel(tr("В столбцах исходов:"), this));
    values->addWidget(valuesCombo_);
    values->addWidget(new QLabel(tr("маржа снимается"), this));
    values->addWidget(marginCombo_);
    values->addWidget(marginLabel_, 1);
    values->addWidget(pasteButton_);

    poolEdit_ = new QLineEdit(this);
    poolEdit_->setObjectName(QStringLiteral("entryPoolEdit"));
    jackpotEdit_ = new QLineEdit(this);
    jackpotEdit_->setObjectName(QStringLiteral("entryJackpotEdit"));
    for (QLineEdit* edit : {poolEdit_, jackpotEdit_})
        edit->setPlaceholderText(tr("не задан"));
    captionEdit_ = new QLineEdit(this);
    captionEdit_->setObjectName(QStringLiteral("entryCaptionEdit"));
    countryCombo_ = new QComboBox(this);
    countryCombo_->setObjectName(QStringLiteral("entryCountryCombo"));
    countryCombo_->addItems({tr("Россия (рубли)"), tr("Украина (гривны)")});
    auto* fields = new QFormLayout;
    auto* money = new QHBoxLayout;
    money->addWidget(poolEdit_);
    money->addWidget(new QLabel(tr("Джек-пот"), this));
    money->addWidget(jackpotEdit_);
    money->addWidget(new QLabel(tr("Тираж"), this));
    money->addWidget(countryCombo_);
    fields->addRow(tr("Пул"), money);
    fields->addRow(tr("Заголовок"), captionEdit_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("drawEntryButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &DrawEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DrawEntryDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addWidget(table_, 1);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

void DrawEntryDialog::connectLayout() {
    connect(pasteButton_, &QPushButton::clicked, this,
            [this] { pasteTable(QApplication::clipboard()->text()); });
    connect(valuesCombo_, &QComboBox::currentIndexChanged, this, [this] { showMargin(); });
    connect(marginCombo_, &QComboBox::currentIndexChanged, this, [this] { showMargin(); });
    connect(table_, &QTableWidget::cellChanged, this, [this](int, int column) {
        if (column >= kValueColumn && column < kShareColumn)
            showMargin();
    });
    // The caption of a country's draw follows the country.
    connect(countryCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
        const std::uint8_t country = index == 1 ? kav::kUkraine : kav::kRussia;
        const std::uint8_t other = index == 1 ? kav::kRussia : kav::kUkraine;
        if (captionEdit_->text() == qs(kav::drawWindowTitle(other)))
            captionEdit_->setText(qs(kav::drawWindowTitle(country)));
    });
}

QString DrawEntryDialog::cellText(int row, int column) const {
    const QTableWidgetItem* item = table_->item(row, column);
    return item ? item->text().trimmed() : QString();
}

void DrawEntryDialog::setCellText(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = table_->item(row, column))
        item->setText(text);
    else
        table_->setItem(row, column, new QTableWidgetItem(text));
}

void DrawEntryDialog::showDraw(const Session::DrawView& view) {
    const kav::DrawModel& d = view.draw;
    for (int e = 0; e < kav::kEvents; ++e) {
        setCellText(e, kTitleColumn, qs(d.eventTitles[e]));
        for (int o = 0; o < kav::kOutcomes; ++o) {
            setCellText(e, kValueColumn + o, numberText(d.quotes[e][o]));
            setCellText(e, kShareColumn + o, numberText(d.poolShares[e][o]));
        }
    }
    valuesCombo_->setCurrentIndex(0);
    // Only numbers are shown: the stand-in draw's placeholders are not the player's.
    for (auto [edit, text] : {std::pair{poolEdit_, &view.totals.poolText},
                              std::pair{jackpotEdit_, &view.totals.jackpotText}})
        edit->setText(kav::Fixed4::parseTyped(*text) ? qs(*text) : QString());
    captionEdit_->setText(view.drawTitle);
    countryCombo_->setCurrentIndex(d.drawCountry == kav::kUkraine ? 1 : 0);
}

bool DrawEntryDialog::oddsEntered() const {
    return valuesCombo_->currentIndex() == 1;
}

kav::MarginMethod DrawEntryDialog::marginMethod() const {
    return marginCombo_->currentIndex() == 1 ? kav::MarginMethod::Shin
                                             : kav::MarginMethod::Proportional;
}

// The mean margin of the rows whose odds read.
void DrawEntryDialog::showMargin() {
    marginCombo_->setEnabled(oddsEntered());
    if (!oddsEntered()) {
        marginLabel_->clear();
        return;
    }
    double margins = 0;
    int rows = 0;
    for (int e = 0; e < kav::kEvents; ++e) {
        std::array<kav::Fixed4, kav::kOutcomes> odds{};
        bool read = true;
        for (int o = 0; o < kav::kOutcomes && read; ++o) {
            auto v = kav::Fixed4::parseTyped(cellText(e, kValueColumn + o).toStdString());
            read = v.has_value();
            if (v)
                odds[o] = *v;
        }
        if (auto q = read ? kav::quotesFromOdds(odds, marginMethod()) : std::nullopt) {
            margins += q->margin;
            ++rows;
        }
    }
    marginLabel_->setText(rows == 0 ? QString()
                                    : tr("маржа букмекера %1").arg(percentText(margins / rows)));
}

void DrawEntryDialog::pasteTable(const QString& text) {
    const kav::DrawTableRead read = kav::readDrawTable(text.toStdString());
    if (!read.table) {
        showMessage(this, {tr("Таблица не вставлена:\n%1")
                               .arg(coreText(kav::drawTableFaultText(read.faults)))
                               .toStdString()});
        return;
    }
    const QSignalBlocker quiet(table_);
    for (int e = 0; e < kav::kEvents; ++e) {
        const auto r = static_cast<std::size_t>(e);
        const kav::DrawTableRow* row = r < read.table->rows.size() ? &read.table->rows[r] : nullptr;
        setCellText(e, kTitleColumn, row ? qs(row->title) : QString());
        for (int o = 0; o < kav::kOutcomes; ++o) {
            setCellText(e, kValueColumn + o, row ? numberText(row->values[o]) : QString());
            setCellText(e, kShareColumn + o,
                        row && row->shares ? numberText((*row->shares)[o]) : QString());
        }
    }
    valuesCombo_->setCurrentIndex(read.table->percent ? 0 : 1);
    showMargin();
}

std::optional<Session::DrawView> DrawEntryDialog::enteredDraw() {
    Session::DrawView view = shown_;
    kav::DrawModel& d = view.draw;
    QStringList faults;
    for (int e = 0; e < kav::kEvents; ++e) {
        d.eventTitles[e] = cellText(e, kTitleColumn).toStdString();
        view.rowTitles[e] = qs(kav::homeTitle(d.eventTitles[e]));
        std::array<kav::Fixed4, kav::kOutcomes> values{}, shares{};
        int empty = 0;
        for (int c = kValueColumn; c < kColumns; ++c) {
            const QString text = cellText(e, c);
            auto v = kav::Fixed4::parseTyped(text.toStdString());
            const bool isValue = c < kShareColumn;
            if (text.isEmpty()) {
                empty += isValue ? 1 : 0;
                continue;
            }
            const QString outcome = tr(kOutcomeNames[(c - kValueColumn) % kav::kOutcomes]);
            const QString where = isValue ? tr("Строка %1, %2").arg(e + 1).arg(outcome)
                                          : tr("Строка %1, пул %2").arg(e + 1).arg(outcome);
            if (!v)
                faults << tr("%1: «%2» не число").arg(where, text);
            else
                (isValue ? values : shares)[(c - kValueColumn) % kav::kOutcomes] = *v;
        }
        if (empty != 0 && empty != kav::kOutcomes)
            faults << tr("Строка %1: нужны все три исхода").arg(e + 1);
        if (oddsEntered() && empty == 0) {
            if (auto q = kav::quotesFromOdds(values, marginMethod()))
                values = q->quotes;
            else
                faults << tr("Строка %1: коэффициент должен быть больше 1").arg(e + 1);
        }
        d.quotes[e] = values;
        d.poolShares[e] = shares;
    }
    // A field must hold a number or nothing; left empty, a text of the draw
    // that is no number (the stand-in draw's) stays as it was.
    std::array<std::string, 2> totals;
    const std::array<QLineEdit*, 2> edits{poolEdit_, jackpotEdit_};
    const std::array<const std::string*, 2> shownTexts{&shown_.totals.poolText,
                                                       &shown_.totals.jackpotText};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const std::string text = edits[i]->text().trimmed().toStdString();
        if (text.empty())
            totals[i] = kav::Fixed4::parseTyped(*shownTexts[i]) ? std::string() : *shownTexts[i];
        else if (kav::Fixed4::parseTyped(text))
            totals[i] = kav::plainNumberText(text);
        else
            faults << tr("%1: «%2» не число").arg(i == 0 ? tr("Пул") : tr("Джек-пот"), qs(text));
    }
    if (!faults.isEmpty()) {
        showMessage(this, {faults.join(QLatin1Char('\n')).toStdString()});
        return std::nullopt;
    }
    view.totals.poolText = totals[0];
    view.totals.jackpotText = kav::jackpotFieldText(totals[1]);
    d.drawCountry = countryCombo_->currentIndex() == 1 ? kav::kUkraine : kav::kRussia;
    d.currencySuffix = kav::currencySuffixFor(d.drawCountry);
    view.drawTitle = captionEdit_->text();
    return view;
}

void DrawEntryDialog::accept() {
    auto view = enteredDraw();
    if (view && apply_(std::move(*view)))
        QDialog::accept();
}

} // namespace kav::ui
