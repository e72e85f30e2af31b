#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char **argv)
{
    // Every suite runs headless: sockets, timers and widgets need an application
    // object, and no test may need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
