// MainWindow: the outcome grid (marking, quote editing, cell texts), the mode
// switch and the small handlers of the mode panels.
#include "ui/main_window.h"
#include "ui/money_edit.h"
#include "ui/nearest_systems_window.h"
#include "ui/outcome_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace kav::ui {

namespace {

// Typed quotes beyond this are refused like any text that is no number: the
// event's sums must stay far from the limits of the fixed-point numbers.
constexpr std::int64_t kLargestQuote = 1000000;

} // namespace

void MainWindow::showOutcomeCell(int event0, int outcome0) {
    StringGrid1->setCellText(
        outcome0 + 1, event0 + 1,
        QString::fromStdString(kav::outcomeCellText(model_, event0, outcome0)));
}

void MainWindow::showDraw() {
    for (int e = 0; e < kav::kEvents; ++e) {
        StringGrid1->setCellText(0, e + 1, QString::fromStdString(model_.eventTitles[e]));
        for (int o = 0; o < kav::kOutcomes; ++o)
            showOutcomeCell(e, o);
    }
}

void MainWindow::repaintGrid() {
    StringGrid1->viewport()->update();
}

void MainWindow::Label10Click() {
    kav::resetSelection(model_);
    for (int e = 0; e < kav::kEvents; ++e)
        for (int o = 0; o < kav::kOutcomes; ++o)
            showOutcomeCell(e, o);
    Label2->clear();
    Label3->clear();
    repaintGrid();
}

void MainWindow::ComboBox1Change() {
    if (form3_)
        form3_->hide();
    const int m = mode();
    if (m == 0) {
        Panel3->show();
        Label3->show();
        Panel4->hide();
        Panel5->hide();
        Panel7->hide();
        StringGrid1->setEditing(false);
        updateSelectionSummary();
    } else if (m >= 1 && m <= 3) {
        Panel3->hide();
        Label3->hide();
        Panel4->setVisible(m == 1);
        Panel5->setVisible(m == 2);
        Panel7->setVisible(m == 3);
        // Quotes can be corrected by hand in these modes.
        StringGrid1->setEditing(true);
    }
    repaintGrid();
}

void MainWindow::StringGrid1SelectCell(int col, int row) {
    if (row < 1 || row > kav::kEvents || col < 0 || col > kav::kOutcomes)
        return;
    const int e = row - 1;
    auto& marks = model_.selection[e];
    if (col == 0) {
        const bool all = model_.markedCount(e) == kav::kOutcomes;
        for (int o = 0; o < kav::kOutcomes; ++o) {
            marks[o] = all ? 0 : 1;
            showOutcomeCell(e, o);
        }
    } else {
        const int k = col - 1;
        char& forced = model_.forcedBet[static_cast<std::size_t>(e)];
        if (!marks[k]) {
            marks[k] = 1;
            forced = kav::outcomeLetter(k);
        } else {
            marks[k] = 0;
            forced = '_';
            for (int o = 0; o < kav::kOutcomes; ++o)
                if (marks[o])
                    forced = kav::outcomeLetter(o);
        }
    }
    if (CheckBox1->isChecked())
        CheckBox1->setText(QString::fromStdString(model_.forcedBet));
    updateSelectionSummary();
    repaintGrid();
}

void MainWindow::StringGrid1SetEditText(int col, int row, const QString& text) {
    if (row < 1 || row > kav::kEvents || col < 1 || col > kav::kOutcomes)
        return;
    const int e = row - 1, k = col - 1;
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0 || slash == text.size() - 1) {
        showOutcomeCell(e, k);
        repaintGrid();
        return;
    }
    const auto quote = kav::Fixed4::parse(text.left(slash).toStdString());
    if (!quote || *quote > kav::Fixed4::fromInt(kLargestQuote) ||
        *quote < kav::Fixed4::fromInt(-kLargestQuote))
        return; // the typed text stays, the model is unchanged
    kav::setQuote(model_, e, k, *quote);
    const QString typedPool = text.mid(slash, 10);
    const QString pool =
        QStringLiteral("/") + QString::number(model_.poolShares[e][k].roundToInt());
    for (int i = 0; i < kav::kOutcomes; ++i)
        if (i != k || typedPool != pool)
            showOutcomeCell(e, i);
    repaintGrid();
}

void MainWindow::RadioButton1Click() {
    RadioButton2->setChecked(!RadioButton1->isChecked());
    repaintGrid();
}

void MainWindow::RadioButton2Click() {
    RadioButton1->setChecked(!RadioButton2->isChecked());
    repaintGrid();
}

void MainWindow::RxSpinEdit8Change() {
    updateSelectionSummary();
    const int v = RxSpinEdit8->value();
    QColor background;
    if (v >= 9 && v <= 14)
        background = Qt::white;
    else if (v == 15)
        background = QColor(255, 170, 170);
    else
        return;
    QPalette p = RxSpinEdit8->palette();
    p.setColor(QPalette::Base, background);
    RxSpinEdit8->setPalette(p);
}

void MainWindow::CheckBox1Click() {
    CheckBox1->setText(CheckBox1->isChecked() ? QString::fromStdString(model_.forcedBet)
                                              : QStringLiteral("Начать с..."));
    repaintGrid();
}

void MainWindow::Edit1Change() {
    if (!Edit1->stakeText().empty())
        updateSelectionSummary();
}

void MainWindow::ComboBox2Change() {
    const bool favourites = ComboBox2->currentIndex() == 4;
    RxSpinEdit4->setVisible(favourites);
    Label1->setVisible(favourites);
}

} // namespace kav::ui
