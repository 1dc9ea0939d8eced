#include "KeyboardManagerFixture.h"

#include "device/KeyboardDriver.h"

#include <QFile>
#include <QtEndian>

TEST_F(KeyboardManagerTest, WritesAndReadsBackTheLayoutForEveryProgramVersion)
{
    // Minor version 0 (program 3.0) takes the 2.10 image, as every minor
    // version but 8 and 9 does.
    const struct {
        uint8_t Major, Minor;
        uint16_t Marker;
    } versions[] = {{2, 8, 0x0208}, {2, 9, 0x0209}, {2, 10, 0x020A}, {3, 0, 0x020A}};
    for (const auto &version : versions) {
        TSimulatorOptions options = MakeOptions(version.Minor);
        options.ProgramMajor = version.Major;
        Connect(options);
        const int minor = version.Minor;
        const auto layout = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
        const uint16_t written = FManager->WriteLayout(*layout);
        EXPECT_EQ(written, version.Major << 8 | minor);
        EXPECT_EQ(layout->Version(), 0x020A) << "the program version is handed back, the layout stays";
        for (const QString &question : FPrompts.Questions)
            EXPECT_FALSE(question.startsWith(QStringLiteral("Программа поддерживает"))) << minor;
        const QByteArray memory = FSimulator->LayoutMemory();
        const uint16_t trailer = qFromLittleEndian<uint16_t>(memory.constData());
        EXPECT_EQ(qFromLittleEndian<uint16_t>(memory.constData() + trailer), version.Marker);
        EXPECT_TRUE(FSimulator->Status().LayoutValid) << int(minor);
        EXPECT_FALSE(FSimulator->Status().LoaderMode);

        TLayout back;
        FManager->ReadLayout(back);
        layout->SetVersion(written);
        EXPECT_EQ(FManager->Formats().Item(2).SaveToString(back), FManager->Formats().Item(2).SaveToString(*layout))
            << int(minor);
    }
}

TEST_F(KeyboardManagerTest, WritesTheHeaderBlockLastAndCancelLeavesItZeroed)
{
    Connect();
    FManager->Driver().SetMode(true, false);
    // 300 bytes: blocks at 0 and 256, then the header block at 0 again, each
    // as two 128-byte memory writes.
    const QByteArray image(300, '\x5A');
    FManager->WriteImage(image, QStringLiteral("Запись"));
    EXPECT_EQ(WriteAddresses(), (QList<int>{0, 128, 256, 384, 0, 128}));
    EXPECT_EQ(FSimulator->LayoutMemory().left(300), image);

    // 256 bytes: one block and the header block again; nothing: no write.
    const int before = int(WriteAddresses().size());
    FManager->WriteImage(QByteArray(256, '\x6B'), QStringLiteral("Запись"));
    EXPECT_EQ(WriteAddresses().mid(before), (QList<int>{0, 128, 0, 128}));
    FManager->WriteImage(QByteArray(), QStringLiteral("Запись"));
    EXPECT_EQ(WriteAddresses().size(), before + 4);

    // A write cancelled after its first block leaves the first block zeroed:
    // the keyboard holds no valid layout, and the user is told so.
    const auto layout = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*layout);
    ASSERT_TRUE(FSimulator->Status().LayoutValid);
    FManager->Progress().OnProgress = [](TProgress &progress) {
        if (progress.State() == psStep && progress.Caption() == QStringLiteral("Запись раскладки"))
            progress.Cancel();
    };
    EXPECT_EQ(ErrorOf([&] { FManager->WriteLayout(*layout); }),
              QStringLiteral("Запись раскладки прервана: в клавиатуре нет действующей раскладки."));
    EXPECT_FALSE(FSimulator->Status().LayoutValid);
    EXPECT_EQ(FSimulator->LayoutMemory().left(256), QByteArray(256, '\0'));
}

TEST_F(KeyboardManagerTest, ReadingAZeroLengthImageReadsNoBlocks)
{
    Connect();
    // The first word points at a trailer whose marker (2.10) is followed by
    // the checksum and a length word of 0.
    QByteArray memory(16, '\0');
    memory[0] = 8;
    memory[8] = 0x0A;
    memory[9] = 0x02;
    FSimulator->SetLayoutMemory(memory);
    EXPECT_TRUE(FManager->ReadImage().isEmpty());
    EXPECT_EQ(BlockReads(), 0);
    EXPECT_EQ(FManager->Progress().Max(), 0);
}

TEST_F(KeyboardManagerTest, DeviceFaultsReachTheCallerWithTheirMessages)
{
    Connect();
    const auto layout = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    TSimulatorFaults faults;
    faults.ErrorFrame = FSimulator->FramesReceived() + 1;
    FSimulator->SetFaults(faults);
    EXPECT_EQ(ErrorOf([&] { FManager->WriteLayout(*layout); }),
              QStringLiteral("Ошибка устройства: 115, 73h\r\nКлавиатура находится в неверном режиме"));

    faults = {};
    faults.CorruptFrame = FSimulator->FramesReceived() + 1;
    FSimulator->SetFaults(faults);
    TLayout read;
    EXPECT_EQ(ErrorOf([&] { FManager->ReadLayout(read); }), QStringLiteral("Ошибка CRC"));

    faults = {};
    faults.StopAfter = FSimulator->FramesReceived();
    FSimulator->SetFaults(faults);
    EXPECT_EQ(ErrorOf([&] { FManager->ReadLayout(read); }), QStringLiteral("Нет связи"));
}

TEST_F(KeyboardManagerTest, QuestionsBeforeWriting)
{
    TSimulatorOptions options = MakeOptions(7);
    options.ModeSwitchDelayMs = 300;
    Connect(options);
    // A faulty layout asks first; No ends the write without a message.
    const auto layout = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FPrompts.Answer = false;
    if (!layout->Check([](const QString &, uint32_t) {})) {
        EXPECT_THROW(FManager->WriteLayout(*layout), EAbort);
        EXPECT_EQ(FPrompts.Questions.size(), 1);
        EXPECT_TRUE(WriteAddresses().isEmpty());
    }
    // Program 2.7 asks for an update (no file chosen), the write goes on
    // through the mode switch delay.
    FPrompts.Answer = true;
    FPrompts.Questions.clear();
    TLayout other;
    other.ChangeKeyboard(ShippedKeyboards().ByID(3));
    FManager->WriteLayout(other);
    ASSERT_EQ(FPrompts.Questions.size(), 1);
    EXPECT_TRUE(FPrompts.Questions[0].startsWith(QStringLiteral("Программа поддерживает клавиатуры версии 2.8")));

    // A layout of another model asks before anything is written.
    FPrompts.Answer = false;
    FPrompts.Questions.clear();
    TLayout compact;
    compact.ChangeKeyboard(ShippedKeyboards().ByID(2));
    const int writes = int(WriteAddresses().size());
    EXPECT_THROW(FManager->WriteLayout(compact), EAbort);
    EXPECT_EQ(FPrompts.Questions.last(),
              QStringLiteral("Вы хотите записать раскладку для клавиатуры %1\r\nв клавиатуру другой модели %2. "
                             "Продолжить ?")
                  .arg(ShippedKeyboards().ByID(2).ClassName, ShippedKeyboards().ByID(3).ClassName));
    EXPECT_EQ(WriteAddresses().size(), writes);
}

TEST_F(KeyboardManagerTest, FilesAndTheirLimits)
{
    TSimulatorOptions options = MakeOptions(10);
    options.MemorySize = 1024;
    Connect(options);
    // A layout image larger than the memory the keyboard reports is refused
    // before any block is written.
    const auto layout = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    EXPECT_TRUE(ErrorOf([&] { FManager->WriteLayout(*layout); }).contains(QStringLiteral("(1024 байт)")));
    EXPECT_TRUE(WriteAddresses().isEmpty());
    FPrompts.Questions.clear();

    // Program files named after the model (in any letter case) are written
    // without a question; more than 66560 bytes are refused with a warning.
    const QString model = ShippedKeyboards().ByModel(3).Name;
    const auto writeFile = [&](const QString &name, qsizetype size, char fill) {
        const QString path = FDir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, fill));
        file.close();
        return path;
    };
    FManager->WriteProgramFile(writeFile(model.toUpper() + QStringLiteral("_v2.10.prg"), 300, '\x11'));
    EXPECT_TRUE(FPrompts.Questions.isEmpty()) << FPrompts.Questions.join(u'|').toStdString();
    EXPECT_EQ(FSimulator->ProgramMemory().left(300), QByteArray(300, '\x11'));
    EXPECT_THROW(FManager->WriteProgramFile(writeFile(model + QStringLiteral("_big.prg"), 66561, '\x22')), EAbort);
    EXPECT_EQ(FPrompts.Warnings.size(), 1);
    EXPECT_EQ(FSimulator->ProgramMemory().left(300), QByteArray(300, '\x11'));
    // 66560 bytes, the most a keyboard takes: 260 blocks and the header.
    const int before = int(WriteAddresses().size());
    FManager->WriteProgramFile(writeFile(model + QStringLiteral("_full.prg"), 66560, '\x44'));
    EXPECT_EQ(FPrompts.Warnings.size(), 1);
    EXPECT_EQ(WriteAddresses().size(), before + 2 * 261);
    EXPECT_EQ(FSimulator->ProgramMemory().left(256), QByteArray(256, '\x44'));
    FPrompts.Answer = false;
    EXPECT_THROW(FManager->WriteProgramFile(writeFile(QStringLiteral("Other_v2.prg"), 10, '\x33')), EAbort);
    ASSERT_EQ(FPrompts.Questions.size(), 1);
    EXPECT_TRUE(FPrompts.Questions[0].contains(QStringLiteral("предназначенную для клавиатуры Other.")));
    EXPECT_EQ(FSimulator->ProgramMemory().left(10), QByteArray(10, '\x44')) << "No writes nothing";
    EXPECT_FALSE(FSimulator->Status().LoaderMode);

    // The layout memory saved to a file and written back.
    TLayout small;
    small.ChangeKeyboard(ShippedKeyboards().ByID(3));
    FManager->WriteLayout(small);
    const QString image = FDir.filePath(QStringLiteral("memory.bin"));
    FManager->ReadMemoryToFile(image);
    QFile saved(image);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes, FSimulator->LayoutMemory().left(bytes.size()));
    EXPECT_EQ(FManager->LastFileName(), image);
    FSimulator->SetLayoutMemory(QByteArray(1024, '\0'));
    FManager->WriteImageFile(image);
    EXPECT_TRUE(FSimulator->Status().LayoutValid);
}
