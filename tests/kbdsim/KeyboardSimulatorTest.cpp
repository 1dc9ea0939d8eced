#include "KeyboardSimulator.h"
#include "SimulatorTestSupport.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "files/BinLayoutVariants.h"
#include "files/BinStream.h"
#include "model/Layout.h"
#include "support/RichLayout.h"
#include "support/TestCatalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

const TKeyboard &Model64()
{
    return ShippedKeyboards().ByModel(1);
}

QByteArray Write(uint16_t address, const QByteArray &bytes)
{
    QByteArray data;
    data.append(char(kcWriteMemory));
    data.append(char(address & 0xFF));
    data.append(char(address >> 8));
    data.append(bytes);
    return RequestFrame(data);
}

QByteArray Read(uint16_t address, uint8_t count)
{
    return Frame({kcReadMemory, uint8_t(address & 0xFF), uint8_t(address >> 8), count});
}

TParsedAnswer Send(TKeyboardSimulator &simulator, const QByteArray &frame)
{
    return ParseAnswer(simulator.HandleFrame(frame));
}

uint8_t ErrorOf(TKeyboardSimulator &simulator, const QByteArray &frame)
{
    const TParsedAnswer answer = Send(simulator, frame);
    EXPECT_TRUE(answer.Framed);
    return answer.Error;
}

void SetMode(TKeyboardSimulator &simulator, bool loader, bool programMemory)
{
    ASSERT_EQ(ErrorOf(simulator, Frame({kcStatusOrMode, ModeByte(loader, programMemory)})), 0);
}

// Writes bytes at address 0 as the keyboard manager does: 128-byte memory
// writes.
void WriteAll(TKeyboardSimulator &simulator, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += 128)
        ASSERT_EQ(ErrorOf(simulator, Write(uint16_t(at), bytes.mid(at, 128))), 0) << at;
}

QByteArray LayoutImage(TBinLayout28 &format, uint16_t version)
{
    auto layout = MakeRichLayout(ShippedKeyboards(), 1);
    layout->SetVersion(version);
    TBinStream stream;
    format.WriteImage(*layout, stream);
    return stream.Bytes();
}

} // namespace

TEST(KeyboardSimulatorTest, InformationAndStatusFollowTheMode)
{
    TKeyboardSimulator simulator(Model64(), {});
    TParsedAnswer answer = Send(simulator, Frame({kcInfo}));
    ASSERT_TRUE(answer.Framed);
    ASSERT_EQ(answer.Data.size(), 9);
    TDeviceInfo info = TDeviceInfo::FromAnswer(answer.Data);
    EXPECT_EQ(info.Version, u"2.10");
    EXPECT_EQ(info.MemorySize, 32768);
    EXPECT_EQ(info.DeviceType, 1);
    EXPECT_EQ(info.LayerCount, 4);
    EXPECT_TRUE(info.Track1 && info.Track2 && info.Track3);
    EXPECT_EQ(info.KeyPositions, 8);
    EXPECT_EQ(info.KeyCount, 64);
    answer = Send(simulator, Frame({kcStatusOrMode}));
    ASSERT_EQ(answer.Data.size(), 1);
    EXPECT_EQ(uint8_t(answer.Data[0]), kStatusProgramValid);

    SetMode(simulator, true, false);
    info = TDeviceInfo::FromAnswer(Send(simulator, Frame({kcInfo})).Data);
    EXPECT_EQ(info.Version, u"2.6");
    EXPECT_EQ(info.DeviceType, 1);
    EXPECT_EQ(uint8_t(Send(simulator, Frame({kcStatusOrMode})).Data[0]),
              kStatusProgramValid | kStatusLoaderMode);

    SetMode(simulator, true, true);
    const TDeviceStatus status = simulator.Status();
    EXPECT_TRUE(status.LoaderMode && status.ProgramMemory && status.ProgramValid);
    EXPECT_FALSE(status.LayoutValid);

    // Only the three modes exist; a refused mode byte changes nothing.
    EXPECT_EQ(ErrorOf(simulator, Frame({kcStatusOrMode, 0x10})), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcStatusOrMode, 0x03})), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcStatusOrMode, 0x02, 0x00})), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcInfo, 0x00})), deBadParameter);
    EXPECT_TRUE(simulator.Status().ProgramMemory);

    SetMode(simulator, false, false);
    EXPECT_EQ(simulator.Info().Version, u"2.10");
    EXPECT_FALSE(simulator.Status().LoaderMode);
}

TEST(KeyboardSimulatorTest, ModelWithoutReaderAndLockReportsNone)
{
    const TKeyboard &model = ShippedKeyboards().ByModel(2);
    TSimulatorOptions options;
    options.MemorySize = 4096;
    options.ProgramMajor = 3;
    options.ProgramMinor = 0;
    TKeyboardSimulator simulator(model, options);
    const TDeviceInfo info = TDeviceInfo::FromAnswer(Send(simulator, Frame({kcInfo})).Data);
    EXPECT_EQ(info.Version, u"3.0");
    EXPECT_EQ(info.MemorySize, 4096);
    EXPECT_EQ(info.DeviceType, 2);
    EXPECT_EQ(info.LayerCount, model.Layers);
    EXPECT_FALSE(info.Track1 || info.Track2 || info.Track3);
    EXPECT_EQ(info.KeyPositions, 0);
    EXPECT_EQ(info.KeyCount, model.KeyCount());
}

TEST(KeyboardSimulatorTest, MemoryWritesNeedTheLoaderAndStayInsideTheMemory)
{
    TSimulatorOptions options;
    options.MemorySize = 1000;
    TKeyboardSimulator simulator(Model64(), options);
    const QByteArray bytes("\x11\x22\x33", 3);

    EXPECT_EQ(ErrorOf(simulator, Write(0, bytes)), deWrongMode);
    EXPECT_EQ(simulator.LayoutMemory(), QByteArray(1000, '\0'));

    SetMode(simulator, true, false);
    EXPECT_EQ(ErrorOf(simulator, Write(10, bytes)), 0);
    EXPECT_EQ(ErrorOf(simulator, Write(997, bytes)), 0);
    EXPECT_EQ(ErrorOf(simulator, Write(998, bytes)), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcWriteMemory, 0x00})), deBadParameter);
    EXPECT_EQ(simulator.LayoutMemory().size(), 1000);
    EXPECT_EQ(simulator.LayoutMemory().mid(10, 3), bytes);
    EXPECT_EQ(Send(simulator, Read(9, 5)).Data, QByteArray("\0\x11\x22\x33\0", 5));
    EXPECT_EQ(ErrorOf(simulator, Read(998, 3)), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Read(0, 254)), deBadParameter);
    EXPECT_EQ(Send(simulator, Read(0, 253)).Data.size(), 253);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcReadMemory, 0x00, 0x00})), deBadParameter);

    // Program memory is a memory of its own, as large as the address space.
    SetMode(simulator, true, true);
    EXPECT_EQ(Send(simulator, Read(10, 3)).Data, QByteArray(3, '\0'));
    EXPECT_EQ(ErrorOf(simulator, Write(2000, bytes)), 0);
    EXPECT_EQ(ErrorOf(simulator, Write(0xFFFE, bytes)), deBadParameter);
    EXPECT_EQ(simulator.ProgramMemory().size(), 2003);
    EXPECT_EQ(Send(simulator, Read(2001, 4)).Data, QByteArray("\x22\x33\0\0", 4));
    EXPECT_EQ(Send(simulator, Read(0xFF00, 16)).Data, QByteArray(16, '\0'));

    // The working program reads layout memory.
    SetMode(simulator, false, false);
    EXPECT_EQ(Send(simulator, Read(10, 3)).Data, bytes);
    EXPECT_EQ(ErrorOf(simulator, Read(1000, 1)), deBadParameter);
}

TEST(KeyboardSimulatorTest, LayoutValidFollowsTheImageOfTheProgramVersion)
{
    struct TCase {
        uint8_t Minor;
        std::unique_ptr<TBinLayout28> Format;
        uint16_t Version;
    };
    const TKeyboards &keyboards = ShippedKeyboards();
    TCase cases[] = {{8, std::make_unique<TBinLayout28>(nullptr, keyboards), 0x0208},
                     {9, std::make_unique<TBinLayout29>(nullptr, keyboards), 0x0209},
                     {10, std::make_unique<TBinLayout210>(nullptr, keyboards), 0x020A}};
    for (const TCase &test : cases) {
        SCOPED_TRACE(test.Minor);
        TSimulatorOptions options;
        options.ProgramMinor = test.Minor;
        TKeyboardSimulator simulator(Model64(), options);
        const QByteArray image = LayoutImage(*test.Format, test.Version);
        SetMode(simulator, true, false);
        EXPECT_FALSE(simulator.Status().LayoutValid);
        WriteAll(simulator, image);
        EXPECT_TRUE(simulator.Status().LayoutValid);
        EXPECT_EQ(simulator.LayoutMemory().left(image.size()), image);

        // The manager zeroes the first block before it writes the rest.
        WriteAll(simulator, QByteArray(256, '\0'));
        EXPECT_FALSE(simulator.Status().LayoutValid);
        WriteAll(simulator, image.left(256));
        EXPECT_TRUE(simulator.Status().LayoutValid);

        // One changed byte before the trailer breaks the checksum.
        QByteArray broken = image;
        broken[4] = char(broken[4] ^ 0x01);
        simulator.SetLayoutMemory(broken);
        EXPECT_FALSE(simulator.Status().LayoutValid);
    }
    // An image of another program version has a marker this one refuses.
    TSimulatorOptions options;
    options.ProgramMinor = 10;
    TKeyboardSimulator simulator(Model64(), options);
    TBinLayout28 format28(nullptr, keyboards);
    simulator.SetLayoutMemory(LayoutImage(format28, 0x0208));
    EXPECT_FALSE(simulator.Status().LayoutValid);
    EXPECT_EQ(TKeyboardSimulator::LayoutMarker(0), 0x020A);
    EXPECT_FALSE(TKeyboardSimulator::LayoutImageValid(QByteArray("\xFF\xFF", 2), 0x020A));
}

TEST(KeyboardSimulatorTest, ProgramValidFollowsProgramMemory)
{
    TSimulatorOptions options;
    options.ProgramValid = false;
    TKeyboardSimulator simulator(Model64(), options);
    // A damaged program in working mode: neither bit 0 nor bit 1.
    EXPECT_EQ(simulator.Status().Raw & (kStatusProgramValid | kStatusLoaderMode), 0);

    SetMode(simulator, true, true);
    QByteArray program(1000, '\x5A');
    program.replace(0, 256, QByteArray(256, '\0'));
    WriteAll(simulator, program);
    EXPECT_FALSE(simulator.Status().ProgramValid);
    WriteAll(simulator, QByteArray(256, '\x01'));
    EXPECT_TRUE(simulator.Status().ProgramValid);
    EXPECT_EQ(simulator.ProgramMemory().size(), 1000);
    // Layout memory was not touched.
    EXPECT_EQ(simulator.LayoutMemory(), QByteArray(32768, '\0'));
}

TEST(KeyboardSimulatorTest, MelodiesMatrixAndUnknownCommands)
{
    TKeyboardSimulator simulator(Model64(), {});
    EXPECT_EQ(ErrorOf(simulator, Frame({kcPlayNotes, 10, 20, 30, 11, 21, 31})), 0);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcPlayNotes})), 0);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcPlayNotes, 10, 20, 30, 11})), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcMatrixState})), deWrongMode);
    EXPECT_EQ(ErrorOf(simulator, Frame({0x55, 0x01})), deNotSupported);
    EXPECT_EQ(ErrorOf(simulator, Frame({0x00})), deNotSupported);

    SetMode(simulator, true, false);
    EXPECT_EQ(Send(simulator, Frame({kcMatrixState})).Data, QByteArray(3, '\0'));
    EXPECT_EQ(ErrorOf(simulator, Frame({kcMatrixState, 0x00})), deBadParameter);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcPlayNotes, 1, 2, 3})), 0);
}

TEST(KeyboardSimulatorTest, BadRequestFramesAnswerBadParameter)
{
    TKeyboardSimulator simulator(Model64(), {});
    const QByteArray good = Frame({kcStatusOrMode});
    QByteArray wrongStart = good;
    wrongStart[0] = 0x03;
    QByteArray wrongSum = good;
    wrongSum[3] = char(wrongSum[3] ^ 0x40);
    QByteArray longer = good + '\0';
    const QByteArray bad[] = {QByteArray(),
                              QByteArray("\x02", 1),
                              QByteArray("\x02\x00\x00", 3),
                              RequestFrame({}),
                              wrongStart,
                              wrongSum,
                              longer,
                              good.left(3)};
    for (const QByteArray &frame : bad)
        EXPECT_EQ(ErrorOf(simulator, frame), deBadParameter) << frame.toHex().constData();
    EXPECT_EQ(ErrorOf(simulator, good), 0);
    // The data of a good frame is kept unframed, a bad frame's as received.
    const QList<QByteArray> requests = simulator.Requests();
    ASSERT_EQ(requests.size(), 9);
    EXPECT_EQ(requests[5], wrongSum);
    EXPECT_EQ(requests[8], QByteArray(1, char(kcStatusOrMode)));
    EXPECT_EQ(simulator.FramesReceived(), 9);
}

TEST(KeyboardSimulatorTest, RandomFramesAlwaysGetAnswerFrames)
{
    TSimulatorOptions options;
    options.MemorySize = 600;
    TKeyboardSimulator simulator(Model64(), options);
    std::mt19937 random(7);
    const QByteArray seeds[] = {Write(100, QByteArray(50, '\x7F')), Read(500, 100), Frame({kcInfo}),
                                Frame({kcStatusOrMode, 0x12}), Frame({kcPlayNotes, 1, 2, 3})};
    for (int round = 0; round < 3000; ++round) {
        QByteArray frame;
        if (round % 3 == 0) {
            frame.resize(random() % 270);
            for (char &byte : frame)
                byte = char(random());
        } else {
            frame = seeds[random() % std::size(seeds)];
            if (round % 3 == 1)
                frame.truncate(random() % (frame.size() + 1));
            else
                frame[random() % frame.size()] = char(random());
        }
        const TParsedAnswer answer = Send(simulator, frame);
        ASSERT_TRUE(answer.Framed) << frame.toHex().constData();
        ASSERT_LE(answer.Data.size(), 253);
    }
    EXPECT_EQ(simulator.LayoutMemory().size(), 600);
    EXPECT_LE(simulator.ProgramMemory().size(), TKeyboardSimulator::kProgramMemorySize);
}

TEST(KeyboardSimulatorTest, ModeSwitchSilencesTheKeyboard)
{
    TSimulatorOptions options;
    options.ModeSwitchDelayMs = 150;
    TKeyboardSimulator simulator(Model64(), options);
    // A mode command for the mode the keyboard is in switches nothing.
    SetMode(simulator, false, false);
    EXPECT_FALSE(simulator.HandleFrame(Frame({kcStatusOrMode})).isEmpty());

    SetMode(simulator, true, false);
    EXPECT_TRUE(simulator.HandleFrame(Frame({kcStatusOrMode})).isEmpty());
    QThread::msleep(200);
    EXPECT_EQ(uint8_t(Send(simulator, Frame({kcStatusOrMode})).Data[0]) & kStatusLoaderMode,
              kStatusLoaderMode);
}

TEST(KeyboardSimulatorTest, LatencyHoldsBackEveryAnswer)
{
    TSimulatorOptions options;
    options.LatencyMs = 60;
    TKeyboardSimulator simulator(Model64(), options);
    QElapsedTimer clock;
    clock.start();
    Send(simulator, Frame({kcStatusOrMode}));
    Send(simulator, Frame({kcInfo}));
    EXPECT_GE(clock.elapsed(), 120);
}

TEST(KeyboardSimulatorTest, FaultsByFrameNumber)
{
    TSimulatorOptions options;
    options.Faults.DropFrame = 2;
    options.Faults.CorruptFrame = 3;
    options.Faults.ErrorFrame = 4;
    options.Faults.ErrorCode = 0x42;
    options.Faults.StopAfter = 5;
    TKeyboardSimulator simulator(Model64(), options);
    SetMode(simulator, true, false);

    // A lost answer: the write was carried out all the same.
    EXPECT_TRUE(simulator.HandleFrame(Write(0, "A")).isEmpty());
    EXPECT_EQ(simulator.LayoutMemory()[0], 'A');
    TParsedAnswer answer = Send(simulator, Write(1, "B"));
    EXPECT_FALSE(answer.Framed);
    EXPECT_EQ(answer.Error, 0);
    EXPECT_EQ(simulator.LayoutMemory()[1], 'B');
    // A refused request is not carried out.
    answer = Send(simulator, Write(2, "C"));
    EXPECT_TRUE(answer.Framed);
    EXPECT_EQ(answer.Error, 0x42);
    EXPECT_EQ(simulator.LayoutMemory()[2], '\0');
    EXPECT_EQ(ErrorOf(simulator, Write(3, "D")), 0);

    bool stopped = false;
    EXPECT_TRUE(simulator.HandleFrame(Write(4, "E"), stopped).isEmpty());
    EXPECT_TRUE(stopped);
    EXPECT_EQ(simulator.LayoutMemory()[4], '\0');
    EXPECT_TRUE(simulator.HandleFrame(Frame({kcStatusOrMode})).isEmpty());
    EXPECT_EQ(simulator.FramesReceived(), 7);

    // Faults change at run time; frame numbers go on counting.
    TSimulatorFaults faults;
    faults.ErrorFrame = 9;
    faults.LoseFrame = 11;
    simulator.SetFaults(faults);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcStatusOrMode})), 0);
    EXPECT_EQ(ErrorOf(simulator, Frame({kcStatusOrMode})), 0x73);
    stopped = true;
    EXPECT_FALSE(simulator.HandleFrame(Frame({kcStatusOrMode}), stopped).isEmpty());
    EXPECT_FALSE(stopped);
    // A lost write is answered as done and leaves the memory as it was.
    EXPECT_EQ(ErrorOf(simulator, Write(5, "F")), 0);
    EXPECT_EQ(simulator.LayoutMemory()[5], '\0');
    EXPECT_EQ(ErrorOf(simulator, Write(5, "G")), 0);
    EXPECT_EQ(simulator.LayoutMemory()[5], 'G');
}

namespace {

// Returns one letter per frame: "." answered, "d" dropped, "c" corrupt, "e"
// error.
std::string FaultPattern(const TSimulatorFaults &faults, int frames)
{
    TSimulatorOptions options;
    options.Faults = faults;
    TKeyboardSimulator simulator(Model64(), options);
    std::string pattern;
    for (int i = 0; i < frames; ++i) {
        const QByteArray answer = simulator.HandleFrame(Frame({kcStatusOrMode}));
        const TParsedAnswer parsed = ParseAnswer(answer);
        pattern += answer.isEmpty() ? 'd' : !parsed.Framed ? 'c' : parsed.Error != 0 ? 'e' : '.';
    }
    return pattern;
}

} // namespace

TEST(KeyboardSimulatorTest, FaultsByRateRepeatForTheSameSeed)
{
    TSimulatorFaults faults;
    faults.DropRate = 0.1;
    faults.CorruptRate = 0.1;
    faults.ErrorRate = 0.1;
    faults.Seed = 1234;
    const std::string first = FaultPattern(faults, 1000);
    EXPECT_EQ(FaultPattern(faults, 1000), first);
    for (char kind : {'d', 'c', 'e', '.'}) {
        const auto count = std::count(first.begin(), first.end(), kind);
        EXPECT_GT(count, kind == '.' ? 600 : 40) << kind;
    }
    faults.Seed = 1235;
    EXPECT_NE(FaultPattern(faults, 1000), first);

    // The chances of one kind are drawn whether or not the others are set.
    TSimulatorFaults dropsOnly;
    dropsOnly.DropRate = 0.1;
    dropsOnly.Seed = 1234;
    const std::string drops = FaultPattern(dropsOnly, 1000);
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_EQ(drops[i] == 'd', first[i] == 'd') << i;

    TSimulatorFaults always;
    always.ErrorRate = 1;
    EXPECT_EQ(FaultPattern(always, 20), std::string(20, 'e'));
}

TEST(KeyboardSimulatorTest, FaultsChangeWhileAnotherThreadSends)
{
    TKeyboardSimulator simulator(Model64(), {});
    std::thread sender([&] {
        for (int i = 0; i < 2000; ++i)
            simulator.HandleFrame(Frame({kcStatusOrMode}));
    });
    for (int i = 0; i < 200; ++i) {
        TSimulatorFaults faults;
        faults.DropRate = (i % 2) ? 0.5 : 0;
        faults.Seed = uint32_t(i);
        simulator.SetFaults(faults);
        simulator.FramesReceived();
    }
    sender.join();
    EXPECT_EQ(simulator.FramesReceived(), 2000);
    EXPECT_EQ(simulator.Requests().size(), 2000);
}

TEST(KeyboardSimulatorTest, StateFileKeepsBothMemoriesAndLogHasALinePerRequest)
{
    QTemporaryDir folder;
    TSimulatorOptions options;
    options.MemorySize = 2048;
    options.StateFile = folder.filePath(QStringLiteral("state.bin"));
    options.LogFile = folder.filePath(QStringLiteral("log.txt"));
    {
        TKeyboardSimulator simulator(Model64(), options);
        SetMode(simulator, true, false);
        ASSERT_EQ(ErrorOf(simulator, Write(100, "layout")), 0);
        SetMode(simulator, true, true);
        ASSERT_EQ(ErrorOf(simulator, Write(300, "program")), 0);
        EXPECT_EQ(ErrorOf(simulator, Frame({0x55})), deNotSupported);
        EXPECT_TRUE(QFile::exists(options.StateFile));
    }
    TKeyboardSimulator again(Model64(), options);
    EXPECT_EQ(again.LayoutMemory().size(), 2048);
    EXPECT_EQ(again.LayoutMemory().mid(100, 6), QByteArray("layout"));
    EXPECT_EQ(again.ProgramMemory().size(), 307);
    EXPECT_EQ(again.ProgramMemory().mid(300), QByteArray("program"));
    EXPECT_FALSE(again.Status().LoaderMode);

    // A smaller memory keeps what fits.
    options.MemorySize = 50;
    options.LogFile.clear();
    EXPECT_EQ(TKeyboardSimulator(Model64(), options).LayoutMemory(), QByteArray(50, '\0'));

    QFile log(folder.filePath(QStringLiteral("log.txt")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].endsWith(" 9F02 00"));
    EXPECT_TRUE(lines[1].endsWith(" 9C6400" + QByteArray("layout").toHex().toUpper() + " 00"));
    EXPECT_TRUE(lines[4].endsWith(" 55 08"));
    EXPECT_TRUE(lines[5].isEmpty());
}

TEST(KeyboardSimulatorTest, BrokenStateFileIsRefused)
{
    QTemporaryDir folder;
    TSimulatorOptions options;
    options.StateFile = folder.filePath(QStringLiteral("state.bin"));
    QFile file(options.StateFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a state file");
    file.close();
    try {
        TKeyboardSimulator simulator(Model64(), options);
        FAIL() << "no error";
    } catch (const EError &error) {
        EXPECT_TRUE(error.Message().startsWith(u"Неверный формат файла состояния эмулятора"));
    }
}

TEST(KeyboardSimulatorTest, StateDecodeSurvivesArbitraryBytes)
{
    TSimulatorState state;
    state.LayoutMemory = QByteArray(300, '\x11');
    state.ProgramMemory = QByteArray("prog");
    const QByteArray good = state.Encode();
    const TSimulatorState back = TSimulatorState::Decode(good);
    EXPECT_EQ(back.LayoutMemory, state.LayoutMemory);
    EXPECT_EQ(back.ProgramMemory, state.ProgramMemory);

    std::mt19937 random(11);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = good;
        if (round % 3 == 0) {
            bytes.resize(random() % 400);
            for (char &byte : bytes)
                byte = char(random());
        } else if (round % 3 == 1) {
            bytes.truncate(random() % good.size());
        } else {
            for (int i = 0; i < 3; ++i)
                bytes[random() % 20] = char(random());
        }
        try {
            const TSimulatorState decoded = TSimulatorState::Decode(bytes);
            EXPECT_LE(decoded.LayoutMemory.size(), TSimulatorState::kMaxMemory);
            EXPECT_LE(decoded.ProgramMemory.size(), TSimulatorState::kMaxMemory);
        } catch (const EError &) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 2000);
}
