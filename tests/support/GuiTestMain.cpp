#include <QGuiApplication>
#include <gtest/gtest.h>

// The main of test executables that paint: fonts and image drawing need a
// QGuiApplication. It runs on the offscreen platform, which CTest selects and
// which is also the default when a test is run by hand.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
