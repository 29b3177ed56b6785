// Entry of the Qt tests: an offscreen platform with one 1920 x 1080 screen at
// 96 dpi and no fake window frames, unless the environment already names one.
#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + KVARNEL_OFFSCREEN_CONFIG);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", KVARNEL_TEST_RUNTIME_DIR);
    // Set for Windows builds only, where the offscreen platform needs a font folder.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") && QByteArray(KVARNEL_TEST_FONT_DIR).size() > 0)
        qputenv("QT_QPA_FONTDIR", KVARNEL_TEST_FONT_DIR);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
