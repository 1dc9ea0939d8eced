#include "device/CustomPort.h"

#include <gtest/gtest.h>

namespace {

// The smallest port: everything but Transfer is the base's.
class TPlainPort : public TCustomPort {
public:
    using TCustomPort::TCustomPort;
    void Transfer(const QByteArray &, QByteArray &, int) override {}
};

} // namespace

TEST(CustomPort, JoinsMovesAndLeavesLists)
{
    TCustomPorts first, second;
    TPlainPort a(&first), b(&first);
    ASSERT_EQ(first.Count(), 2);
    EXPECT_EQ(&first.Item(0), &a);
    EXPECT_EQ(&first.Item(1), &b);

    a.SetOwner(&first);
    EXPECT_EQ(first.Count(), 2) << "the same list again changes nothing";
    EXPECT_EQ(&first.Item(0), &a);

    a.SetOwner(&second);
    EXPECT_EQ(first.Count(), 1);
    EXPECT_EQ(&first.Item(0), &b);
    ASSERT_EQ(second.Count(), 1);
    EXPECT_EQ(a.Owner(), &second);

    {
        TPlainPort c(&second);
        EXPECT_EQ(second.Count(), 2);
    }
    EXPECT_EQ(second.Count(), 1) << "a freed port leaves its list";

    a.SetOwner(nullptr);
    EXPECT_EQ(second.Count(), 0);
    EXPECT_EQ(a.Owner(), nullptr);
}

TEST(CustomPort, OutlivesItsList)
{
    TPlainPort port;
    {
        TCustomPorts ports;
        port.SetOwner(&ports);
    }
    EXPECT_EQ(port.Owner(), nullptr);
}

TEST(CustomPort, BaseOperationsReachNothing)
{
    TPlainPort port;
    TDeviceList devices{{QStringLiteral("kept"), nullptr}};
    port.Refresh();
    port.GetDevices(devices);
    ASSERT_EQ(devices.size(), 1u) << "the list is appended to, never cleared";
    EXPECT_EQ(devices[0].Name, u"kept");
    EXPECT_EQ(port.GetVersion(), u"недоступна");
    EXPECT_FALSE(port.HasDevice(QStringLiteral("kept")));
}
