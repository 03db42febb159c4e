#include "ui/shell/settings_dialog.h"

#include "ui/common/program_language.h"
#include "ui/common/program_places.h"
#include "ui/widgets/message_box.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace kav::ui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(tr("Настройки"));
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
    form->addRow(tr("Сервер тиражей"), dataServerEdit_);
    form->addRow(tr("Сервер обновлений"), updateServerEdit_);
    auto* note = new QLabel(
        tr("Пустое поле — адрес по умолчанию. Новые адреса действуют со следующего "
           "запуска;\nключи --data-server и --update-server заменяют их на один запуск."),
        this);
    // Each language named in itself, so a player who cannot read the
    // present one still finds his own.
    languageCombo_ = new QComboBox(this);
    languageCombo_->setObjectName(QStringLiteral("languageCombo"));
    languageCombo_->addItem(tr("Как в системе"), QString());
    languageCombo_->addItem(QStringLiteral("Русский"), QStringLiteral("ru"));
    languageCombo_->addItem(QStringLiteral("Українська"), QStringLiteral("uk"));
    languageCombo_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    languageCombo_->setCurrentIndex(std::max(0, languageCombo_->findData(savedLanguage())));
    auto* languageNote = new QLabel(tr("Новый язык действует со следующего запуска."), this);
    languageNote->setObjectName(QStringLiteral("languageNote"));
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(languageCombo_);
    languageRow->addWidget(languageNote, 1);
    form->addRow(tr("Язык"), languageRow);
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
    const QString dataFault =
        tr("Адрес сервера тиражей «%1» не годится: нужен адрес вида https://сервер");
    const QString updateFault =
        tr("Адрес сервера обновлений «%1» не годится: нужен адрес вида https://сервер");
    for (const auto& [address, fault] :
         {std::pair{&typed.dataServer, &dataFault}, std::pair{&typed.updateServer, &updateFault}}) {
        if (!address->empty() && !kav::io::isServerAddress(*address)) {
            showMessage(this, {fault->arg(qs(*address)).toStdString()});
            return;
        }
    }
    saveServers(typed);
    saveLanguage(languageCombo_->currentData().toString());
    QDialog::accept();
}

} // namespace kav::ui
