// DrawEntryDialog: "Ввести тираж…", the draw typed or pasted by the player.
// Fifteen rows of title, three odds or quotes in percent and three pool
// shares; the pool, the jackpot, the caption and the country. It opens with
// the draw shown; OK hands the draw entered on once every field reads.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/draw/draw_table.h"
#endif
#include "ui/common/session.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kav::ui {

class DrawEntryDialog final : public QDialog {
    Q_OBJECT
public:
    // `apply` takes the draw entered; false keeps the dialog open.
    using Apply = std::function<bool(Session::DrawView)>;
    DrawEntryDialog(const Session::DrawView& shown, Apply apply, QWidget* parent = nullptr);

    // Reads a pasted table into the rows; a table that does not read changes
    // nothing and a message names its lines.
    void pasteTable(const QString& text);

    void accept() override;

private:
    void createLayout();
    void connectLayout();
    void showDraw(const Session::DrawView& view);
    bool oddsEntered() const;
    kav::MarginMethod marginMethod() const;
    void showMargin();
    // The draw of the fields; nothing, with a message, while one does not read.
    std::optional<Session::DrawView> enteredDraw();
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);

    Session::DrawView shown_;
    Apply apply_;
    QTableWidget* table_ = nullptr;
    QComboBox* valuesCombo_ = nullptr;
    QComboBox* marginCombo_ = nullptr;
    QLabel* marginLabel_ = nullptr;
    QLineEdit* poolEdit_ = nullptr;
    QLineEdit* jackpotEdit_ = nullptr;
    QLineEdit* captionEdit_ = nullptr;
    QComboBox* countryCombo_ = nullptr;
    QPushButton* pasteButton_ = nullptr;
};

} // namespace kav::ui
