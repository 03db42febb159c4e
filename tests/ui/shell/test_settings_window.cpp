// "Настройки…": the server addresses typed in the window are checked, kept
// with the settings and used by the next start; the command line still wins.
#include "support/shown_main_window.h"
#include "ui/shell/settings_dialog.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using kav::test::child;

namespace {

class SettingsWindow : public kav::test::ShownMainWindow {
protected:
    void TearDown() override { kav::ui::setPersistence({}); }
};

TEST_F(SettingsWindow, AddressesSetInTheWindowServeTheNextStart) {
    QTemporaryDir dir;
    kav::ui::setPersistence({{}, dir.filePath(QStringLiteral("kavendix.ini"))});
    const kav::io::ServerSettings defaults;
    kav::ui::MessageBoxHook boxes;
    struct Typed {
        const char* data;
        const char* update;
        bool kept;
    } typed[] = {
        {"ftp://toto.example.org", "", false},
        {"https://toto.example.org", "http://bad host", false},
        {"https://toto.example.org:8443/", "http://[::1]:8080", true},
    };
    QTest::keyClick(w.get(), Qt::Key_Comma, Qt::ControlModifier);
    auto* dialog = child<kav::ui::SettingsDialog>("settingsDialog");
    for (const auto& t : typed) {
        SCOPED_TRACE(t.data);
        boxes.clear();
        kav::test::child<QLineEdit>(dialog, "dataServerEdit")->setText(QString::fromUtf8(t.data));
        kav::test::child<QLineEdit>(dialog, "updateServerEdit")
            ->setText(QString::fromUtf8(t.update));
        kav::test::child<QDialogButtonBox>(dialog, "settingsButtons")
            ->button(QDialogButtonBox::Ok)
            ->click();
        EXPECT_EQ(boxes.shown().size(), t.kept ? 0u : 1u);
        EXPECT_EQ(dialog->isVisible(), !t.kept);
    }
    auto next = kav::ui::startServers(defaults, std::nullopt, std::nullopt);
    EXPECT_EQ(next.dataServer, "https://toto.example.org:8443/");
    EXPECT_EQ(next.updateServer, "http://[::1]:8080");
    next = kav::ui::startServers(defaults, std::string("http://127.0.0.1:1"), std::nullopt);
    EXPECT_EQ(next.dataServer, "http://127.0.0.1:1");
    EXPECT_EQ(next.updateServer, "http://[::1]:8080");

    // Opened again it shows what is kept; emptied, the defaults come back.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClick(w.get(), Qt::Key_Comma, Qt::ControlModifier);
    dialog = child<kav::ui::SettingsDialog>("settingsDialog");
    EXPECT_EQ(kav::test::child<QLineEdit>(dialog, "dataServerEdit")->text().toStdString(),
              "https://toto.example.org:8443/");
    kav::test::child<QLineEdit>(dialog, "dataServerEdit")->clear();
    kav::test::child<QDialogButtonBox>(dialog, "settingsButtons")
        ->button(QDialogButtonBox::Ok)
        ->click();
    EXPECT_EQ(kav::ui::startServers(defaults, std::nullopt, std::nullopt).dataServer,
              defaults.dataServer);
}

} // namespace
