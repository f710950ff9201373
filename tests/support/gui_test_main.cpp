#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QStandardPaths>

// Every client test runs inside a GUI application on the offscreen platform.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
