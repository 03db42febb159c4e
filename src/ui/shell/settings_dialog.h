// SettingsDialog: "Настройки…", the addresses of the data server and of the
// update server, and the windows' language. They are kept with the program's
// settings and used from the next start on; --data-server and --update-server
// still win for one run.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kav::ui {

class SettingsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent = nullptr);

    // Keeps the addresses when both are http(s) addresses (an empty field
    // brings back the default); otherwise says which is wrong and stays open.
    void accept() override;

private:
    QLineEdit* dataServerEdit_ = nullptr;
    QLineEdit* updateServerEdit_ = nullptr;
    QComboBox* languageCombo_ = nullptr; // "" (the system's), "ru", "uk", "en"
};

} // namespace kav::ui
