#include "device/DriverInstall.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TCommandLineResult Check(const QStringList &arguments, bool expected)
{
    TCommandLineResult result;
    result.Error = u"stale"_qs;
    EXPECT_EQ(CheckCommandLine(arguments, &result), expected) << arguments.join(u' ').toStdString();
    return result;
}

} // namespace

TEST(DriverInstall, SwitchesInAnyFormAndPlace)
{
    EXPECT_EQ(Check({u"ravlin"_qs, u"/install"_qs, u"123"_qs}, true).Action, TCommandLineAction::Install);
    EXPECT_EQ(Check({u"ravlin"_qs, u"-install"_qs}, true).Action, TCommandLineAction::Install);
    EXPECT_EQ(Check({u"ravlin"_qs, u"\\InStAlL"_qs}, true).Action, TCommandLineAction::Install);
    EXPECT_EQ(Check({u"ravlin"_qs, u"/UNINSTALL"_qs, u"5"_qs}, true).Action, TCommandLineAction::Uninstall);
    EXPECT_EQ(Check({u"ravlin"_qs, u"x.xml"_qs, u"7"_qs, u"-uninstall"_qs}, true).Action,
              TCommandLineAction::Uninstall)
        << "the switch may stand anywhere";
    EXPECT_EQ(Check({u"ravlin"_qs, u"/uninstall"_qs, u"/install"_qs}, true).Action,
              TCommandLineAction::Install)
        << "install is looked for first";

    const TCommandLineResult done = Check({u"ravlin"_qs, u"/install"_qs, u"1"_qs}, true);
    EXPECT_TRUE(done.Error.isEmpty()) << "nothing to report where there is no driver to install";

    for (const QStringList &arguments :
         {QStringList{u"ravlin"_qs}, QStringList{u"ravlin"_qs, u"uninstall"_qs, u"5"_qs},
          QStringList{u"ravlin"_qs, u"install"_qs}, QStringList{u"ravlin"_qs, u"--install"_qs},
          QStringList{u"ravlin"_qs, u"/install2"_qs}, QStringList{u"ravlin"_qs, u"/ install"_qs},
          QStringList{u"ravlin"_qs, u"+install"_qs}, QStringList{u"ravlin"_qs, u""_qs, u"/"_qs},
          QStringList{u"/install"_qs}, QStringList{}}) {
        const TCommandLineResult none = Check(arguments, false);
        EXPECT_EQ(none.Action, TCommandLineAction::None);
        EXPECT_EQ(none.OwnerHandle, 0u);
        EXPECT_TRUE(none.Error.isEmpty());
    }
    EXPECT_FALSE(CheckCommandLine({u"ravlin"_qs, u"x.xml"_qs}));
    EXPECT_TRUE(CheckCommandLine({u"ravlin"_qs, u"-uninstall"_qs}));
}

TEST(DriverInstall, OwnerHandleIsTheSecondParameter)
{
    EXPECT_EQ(Check({u"ravlin"_qs, u"/install"_qs, u"123456"_qs}, true).OwnerHandle, 123456u);
    EXPECT_EQ(Check({u"ravlin"_qs, u"/install"_qs, u"$1A2b"_qs}, true).OwnerHandle, 0x1A2Bu);
    EXPECT_EQ(Check({u"ravlin"_qs, u"/uninstall"_qs, u"$FFFFFFFF"_qs}, true).OwnerHandle, 0xFFFFFFFFu);
    EXPECT_EQ(Check({u"ravlin"_qs, u"/install"_qs, u"-1"_qs}, true).OwnerHandle, quintptr(qintptr(-1)));
    // The handle is read from the second parameter, wherever the switch is.
    EXPECT_EQ(Check({u"ravlin"_qs, u"77"_qs, u"/install"_qs}, true).OwnerHandle, 0u);
    EXPECT_EQ(Check({u"ravlin"_qs, u"x"_qs, u"88"_qs, u"/install"_qs}, true).OwnerHandle, 88u);
    for (const char *text : {"", "abc", "0x10", "$", "$G1", "12a", " 12", "99999999999", "$123456789"})
        EXPECT_EQ(Check({u"ravlin"_qs, u"/install"_qs, QString::fromLatin1(text)}, true).OwnerHandle, 0u)
            << text;
    EXPECT_EQ(Check({u"ravlin"_qs, u"/install"_qs}, true).OwnerHandle, 0u) << "no second parameter";
}

TEST(DriverInstall, ErrorTexts)
{
    const QString inf = DriverInfFileName(u"/opt/ravlin"_qs);
    EXPECT_TRUE(inf.endsWith(u"Inst.inf"));
    EXPECT_EQ(inf, QDir::toNativeSeparators(u"/opt/ravlin/Inst.inf"_qs));

    EXPECT_EQ(DriverErrorText(true, 2, u"Не удается найти указанный файл"_qs, u"C:\\R\\Inst.inf"_qs),
              u"При установке драйвера возникла ошибка:\r\n0x00000002, Не удается найти указанный файл\r\n"
              "Не найден файл C:\\R\\Inst.infдля установки драйвера.");
    EXPECT_EQ(DriverErrorText(false, 2, u"x"_qs, u"C:\\R\\Inst.inf"_qs),
              u"При удалении драйвера возникла ошибка:\r\n0x00000002, x\r\n"
              "Не найден файл C:\\R\\Inst.infдля удаления драйвера.");
    EXPECT_EQ(DriverErrorText(true, 5, u"Отказано в доступе"_qs, {}),
              u"При установке драйвера возникла ошибка:\r\n0x00000005, Отказано в доступе\r\n"
              "Вы должны обладать правами администратора для установки драйвера.");
    EXPECT_EQ(DriverErrorText(false, 5, u"y"_qs, {}),
              u"При удалении драйвера возникла ошибка:\r\n0x00000005, y\r\n"
              "Вы должны обладать правами администратора для удаления драйвера.");
    EXPECT_EQ(DriverErrorText(true, 0xE0000102u, u"z"_qs, u"inf"_qs),
              u"При установке драйвера возникла ошибка:\r\n0xe0000102, z");
    EXPECT_TRUE(DriverErrorText(true, 0xE000022Fu, u"z"_qs, {}).isEmpty());
    EXPECT_TRUE(DriverErrorText(false, 0xE000020Bu, u"z"_qs, {}).isEmpty());
}
