#include "SimulatorOptions.h"

#include "base/Error.h"
#include "device/DriverSocket.h"

#include <gtest/gtest.h>

namespace {

QStringList Args(std::initializer_list<const char16_t *> args)
{
    QStringList list;
    for (const char16_t *arg : args)
        list.append(QString::fromUtf16(arg));
    return list;
}

QString ErrorOf(const QStringList &args)
{
    try {
        TSimulatorOptions::FromArguments(args, nullptr);
    } catch (const EError &error) {
        return error.Message();
    }
    return QStringLiteral("no error");
}

} // namespace

TEST(SimulatorOptionsTest, ReadsEveryOption)
{
    QString socket;
    TSimulatorOptions options = TSimulatorOptions::FromArguments({}, &socket);
    EXPECT_EQ(socket, DefaultDriverSocketPath());
    EXPECT_EQ(options.ModelCode, 1);
    EXPECT_EQ(options.MemorySize, 32768);
    EXPECT_EQ(options.Faults.DropFrame, -1);
    EXPECT_FALSE(options.Help);

    options = TSimulatorOptions::FromArguments(Args({u"--driver-socket",
                                                     u"/tmp/s",
                                                     u"--model",
                                                     u"3",
                                                     u"--data",
                                                     u"/d",
                                                     u"--program",
                                                     u"2.8",
                                                     u"--loader",
                                                     u"3.0",
                                                     u"--memory",
                                                     u"65535",
                                                     u"--mode-delay",
                                                     u"700",
                                                     u"--latency",
                                                     u"5",
                                                     u"--state",
                                                     u"st",
                                                     u"--log",
                                                     u"lg",
                                                     u"--drop-frame",
                                                     u"2",
                                                     u"--corrupt-frame",
                                                     u"3",
                                                     u"--error-frame",
                                                     u"4",
                                                     u"--error-code",
                                                     u"0Ah",
                                                     u"--lose-frame",
                                                     u"6",
                                                     u"--stop-after",
                                                     u"0",
                                                     u"--drop-rate",
                                                     u"0.25",
                                                     u"--corrupt-rate",
                                                     u"1",
                                                     u"--error-rate",
                                                     u"0",
                                                     u"--seed",
                                                     u"4000000000",
                                                     u"--program-invalid",
                                                     u"--driver-version",
                                                     u"1.2.3.4",
                                                     u"--help"}),
                                               &socket);
    EXPECT_EQ(socket, u"/tmp/s");
    EXPECT_EQ(options.ModelCode, 3);
    EXPECT_EQ(options.DataFolder, u"/d");
    EXPECT_EQ(options.KeyboardsFolder(), u"/d/Клавиатуры");
    EXPECT_EQ(options.ProgramMajor, 2);
    EXPECT_EQ(options.ProgramMinor, 8);
    EXPECT_EQ(options.LoaderMajor, 3);
    EXPECT_EQ(options.LoaderMinor, 0);
    EXPECT_EQ(options.MemorySize, 65535);
    EXPECT_EQ(options.ModeSwitchDelayMs, 700);
    EXPECT_EQ(options.LatencyMs, 5);
    EXPECT_EQ(options.StateFile, u"st");
    EXPECT_EQ(options.LogFile, u"lg");
    EXPECT_EQ(options.Faults.DropFrame, 2);
    EXPECT_EQ(options.Faults.CorruptFrame, 3);
    EXPECT_EQ(options.Faults.ErrorFrame, 4);
    EXPECT_EQ(options.Faults.ErrorCode, 0x0A);
    EXPECT_EQ(options.Faults.LoseFrame, 6);
    EXPECT_EQ(options.Faults.StopAfter, 0);
    EXPECT_EQ(options.Faults.DropRate, 0.25);
    EXPECT_EQ(options.Faults.CorruptRate, 1.0);
    EXPECT_EQ(options.Faults.ErrorRate, 0.0);
    EXPECT_EQ(options.Faults.Seed, 4000000000u);
    EXPECT_FALSE(options.ProgramValid);
    EXPECT_EQ(options.DriverVersion, 0x01020304u);
    EXPECT_TRUE(options.Help);
    EXPECT_EQ(TSimulatorOptions::FromArguments(Args({u"--error-code", u"0x73"}), nullptr).Faults.ErrorCode,
              0x73);
}

TEST(SimulatorOptionsTest, RefusesBadOptionsWithRussianMessages)
{
    EXPECT_EQ(ErrorOf(Args({u"--bogus"})), u"Неизвестный параметр: --bogus");
    EXPECT_EQ(ErrorOf(Args({u"--model"})), u"Не указано значение параметра --model");
    EXPECT_EQ(ErrorOf(Args({u"--memory", u"0"})), u"Неверное значение параметра --memory: 0");
    EXPECT_EQ(ErrorOf(Args({u"--memory", u"65536"})), u"Неверное значение параметра --memory: 65536");
    EXPECT_EQ(ErrorOf(Args({u"--latency", u"-1"})), u"Неверное значение параметра --latency: -1");
    EXPECT_EQ(ErrorOf(Args({u"--drop-frame", u"0"})), u"Неверное значение параметра --drop-frame: 0");
    EXPECT_EQ(ErrorOf(Args({u"--drop-rate", u"1.5"})), u"Неверное значение параметра --drop-rate: 1.5");
    EXPECT_EQ(ErrorOf(Args({u"--error-rate", u"nan"})), u"Неверное значение параметра --error-rate: nan");
    EXPECT_EQ(ErrorOf(Args({u"--error-code", u"100"})), u"Неверное значение параметра --error-code: 100");
    EXPECT_EQ(ErrorOf(Args({u"--seed", u"x"})), u"Неверное значение параметра --seed: x");
    EXPECT_EQ(ErrorOf(Args({u"--driver-version", u"1.2.3"})),
              u"Неверное значение параметра --driver-version: 1.2.3");
    for (const char16_t *version : {u"2", u"2.", u"2.256", u"a.b", u"2.1.0"})
        EXPECT_TRUE(
            ErrorOf(Args({u"--program", version})).startsWith(u"Неверная версия в параметре --program"))
            << QString::fromUtf16(version).toStdString();
}
