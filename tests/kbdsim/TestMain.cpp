#include <QCoreApplication>
#include <gtest/gtest.h>

// The server under test runs an event loop on a thread of its own, which Qt
// allows only inside an application object.
int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
