#include "ui/shell/settings_dialog.h"

#include "ui/common/program_places.h"
#include "ui/widgets/message_box.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kav::ui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("Настройки"));
    const SavedServers saved = savedServers();
    dataServerEdit_ = new QLineEdit(qs(saved.dataServer), this);
    dataServerEdit_->setObjectName(QStringLiteral("dataServerEdit"));
    dataServerEdit_->setPlaceholderText(qs(kav::io::kDefaultDataServer));
    updateServerEdit_ = new QLineEdit(qs(saved.updateServer), this);
    updateServerEdit_->setObjectName(QStringLiteral("updateServerEdit"));
    updateServerEdit_->setPlaceholderText(qs(kav::io::kDefaultUpdateServer));
    for (QLineEdit* edit : {dataServerEdit_, updateServerEdit_})
        edit->setMinimumWidth(360);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Сервер тиражей"), dataServerEdit_);
    form->addRow(QStringLiteral("Сервер обновлений"), updateServerEdit_);
    auto* note = new QLabel(
        QStringLiteral(
            "Пустое поле — адрес по умолчанию. Новые адреса действуют со следующего "
            "запуска;\nключи --data-server и --update-server заменяют их на один запуск."),
        this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("settingsButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void SettingsDialog::accept() {
    SavedServers typed{dataServerEdit_->text().trimmed().toStdString(),
                       updateServerEdit_->text().trimmed().toStdString()};
    for (const auto& [address, what] : {std::pair{&typed.dataServer, "сервера тиражей"},
                                        std::pair{&typed.updateServer, "сервера обновлений"}}) {
        if (!address->empty() && !kav::io::isServerAddress(*address)) {
            showMessage(this, {"Адрес " + std::string(what) + " «" + *address +
                               "» не годится: нужен адрес вида https://сервер"});
            return;
        }
    }
    saveServers(typed);
    QDialog::accept();
}

} // namespace kav::ui
