// Window tests run GoogleTest inside a QApplication on the offscreen platform.
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // As the program does after making its application object.
    std::setlocale(LC_NUMERIC, "C");
    // No test may wait on a modal box: messages no test looks for (such as the
    // empty template folder at start) are recorded here and answered OK.
    kav::ui::MessageBoxHook unattended;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
