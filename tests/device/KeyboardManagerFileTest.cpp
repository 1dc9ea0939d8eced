#include "KeyboardManagerFixture.h"

#include "device/KeyboardDriver.h"
#include "settings/SettingsManager.h"

#include <QElapsedTimer>

// Image and program files written into the keyboard, and one keyboard
// wanted by two programs at once.

namespace {

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

} // namespace

TEST_F(KeyboardManagerTest, ImageFilesAreLookedAtBeforeTheKeyboardIsTouched)
{
    Connect(MakeOptions(10), false);
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    FManager->WriteLayout(*rich);
    const QByteArray before = FSimulator->LayoutMemory();
    const int frames = FSimulator->FramesReceived();
    FPrompts.Answer = false;
    FPrompts.Questions.clear();

    EXPECT_TRUE(ErrorOf([&] { FManager->WriteImageFile(WriteFile(FDir, QStringLiteral("empty.bin"), {})); })
                    .endsWith(QStringLiteral("пуст: записывать в клавиатуру нечего.")));
    EXPECT_THROW(FManager->WriteImageFile(WriteFile(FDir, QStringLiteral("big.bin"), QByteArray(66561, '\1'))),
                 EAbort);
    ASSERT_EQ(FPrompts.Warnings.size(), 1);
    EXPECT_TRUE(FPrompts.Warnings[0].startsWith(QStringLiteral("Размер исполняемой програмы")));
    EXPECT_NE(ErrorOf([&] { FManager->WriteImageFile(FDir.filePath(QStringLiteral("missing.bin"))); }),
              QStringLiteral("no error"));
    EXPECT_EQ(FSimulator->FramesReceived(), frames) << "the keyboard was not asked anything";

    // An XML file is no layout image: asked, and No writes nothing.
    const QString xml = WriteFile(FDir, QStringLiteral("layout.xml"), "<?xml version=\"1.0\"?>\r\n<Layout/>\r\n");
    EXPECT_THROW(FManager->WriteImageFile(xml), EAbort);
    ASSERT_EQ(FPrompts.Questions.size(), 1);
    EXPECT_TRUE(FPrompts.Questions[0].contains(QStringLiteral("не является раскладкой клавиатуры:\r\n")));
    EXPECT_TRUE(FPrompts.Questions[0].endsWith(QStringLiteral("Всё равно записать его в клавиатуру ?")));

    // The image of another model asks as write-layout does.
    const auto compact = MakeRichLayout(ShippedKeyboards(), 2, {false, false, true});
    const QString other = WriteFile(FDir, QStringLiteral("other.bin"), FManager->ImageFormat().SaveToString(*compact));
    EXPECT_THROW(FManager->WriteImageFile(other), EAbort);
    EXPECT_TRUE(FPrompts.Questions.last().startsWith(QStringLiteral("Вы хотите записать раскладку для клавиатуры")));
    EXPECT_EQ(FSimulator->LayoutMemory(), before);
    EXPECT_FALSE(FSimulator->Status().LoaderMode);

    // Yes writes the XML bytes; the keyboard does not take them as a layout,
    // and that is no success.
    FPrompts.Answer = true;
    FManager->Settings().SetVerifyAfterWrite(false);
    EXPECT_EQ(ErrorOf([&] { FManager->WriteImageFile(xml); }),
              QStringLiteral("Клавиатура не приняла записанную раскладку: раскладка в клавиатуре недействительна."));
    EXPECT_FALSE(FSimulator->Status().LoaderMode);
}

TEST_F(KeyboardManagerTest, ALayoutTheKeyboardDoesNotAcceptFailsAlsoWithoutTheComparison)
{
    Connect(MakeOptions(10), false);
    FManager->Settings().SetVerifyAfterWrite(false);
    const auto rich = MakeRichLayout(ShippedKeyboards(), 3, {false, false, true});
    // The keyboard loses the third memory write (address 256) of the same
    // write sequence again.
    const int start = FSimulator->FramesReceived();
    FManager->WriteLayout(*rich);
    const QList<QByteArray> requests = FSimulator->Requests().mid(start);
    int third = 0;
    for (int writes = 0; writes < 3; ++third)
        writes += uint8_t(requests[third][0]) == kcWriteMemory;
    FSimulator->SetLayoutMemory({});
    TSimulatorFaults faults;
    faults.LoseFrame = FSimulator->FramesReceived() + third;
    FSimulator->SetFaults(faults);
    EXPECT_EQ(ErrorOf([&] { FManager->WriteLayout(*rich); }),
              QStringLiteral("Клавиатура не приняла записанную раскладку: раскладка в клавиатуре недействительна."));
}

TEST_F(KeyboardManagerTest, ProgramFilesAreReadFirstAndReadBackAfterwards)
{
    Connect(MakeOptions(10), false);
    const QString model = ShippedKeyboards().ByModel(3).Name;
    const int frames = FSimulator->FramesReceived();
    EXPECT_NE(ErrorOf([&] { FManager->WriteProgramFile(FDir.filePath(model + QStringLiteral("_v2.prg"))); }),
              QStringLiteral("no error"));
    EXPECT_EQ(FSimulator->FramesReceived(), frames) << "a missing file leaves the keyboard alone";
    EXPECT_FALSE(FSimulator->Status().LoaderMode);

    QByteArray program(700, '\0');
    for (int i = 0; i < program.size(); ++i)
        program[i] = char(i * 7 + 1);
    const QString file = WriteFile(FDir, model + QStringLiteral("_v2.prg"), program);
    FManager->WriteProgramFile(file);
    EXPECT_EQ(FSimulator->ProgramMemory().left(program.size()), program);
    EXPECT_TRUE(FSimulator->Status().ProgramValid);
    EXPECT_FALSE(FSimulator->Status().LoaderMode);

    // A cancelled program write is no success either.
    FManager->Progress().OnProgress = [](TProgress &progress) {
        if (progress.State() == psStep)
            progress.Cancel();
    };
    EXPECT_EQ(ErrorOf([&] { FManager->WriteProgramFile(file); }),
              QStringLiteral("Запись программы прервана: программа клавиатуры повреждена, запишите ее заново."));
    FManager->Progress().OnProgress = nullptr;
    EXPECT_FALSE(FSimulator->Status().ProgramValid);
    EXPECT_TRUE(FSimulator->Status().LoaderMode) << "ready for the next attempt";
    FManager->WriteProgramFile(file);
    EXPECT_TRUE(FSimulator->Status().ProgramValid);

    // A block the keyboard loses is found by the comparison; the first block
    // is zeroed again, so that the damaged program is not run.
    FSimulator->SetProgramMemory({});
    const int start = FSimulator->FramesReceived();
    int writes = 0;
    TSimulatorFaults faults;
    FManager->Progress().OnProgress = [&](TProgress &progress) {
        // The third memory write (address 256) goes to the request after the
        // block of the first step.
        if (progress.State() == psStarted && writes++ == 0) {
            faults.LoseFrame = FSimulator->FramesReceived() + 3;
            FSimulator->SetFaults(faults);
        }
    };
    EXPECT_EQ(ErrorOf([&] { FManager->WriteProgramFile(file); }), QStringLiteral("Ошибка проверки записи: адрес 256."));
    FManager->Progress().OnProgress = nullptr;
    EXPECT_GT(FSimulator->FramesReceived(), start);
    EXPECT_FALSE(FSimulator->Status().ProgramValid);
}

TEST_F(KeyboardManagerTest, OneKeyboardServesOneProgramAtATime)
{
    Connect(MakeOptions(10), false);
    const auto other = MakeManager(false, 300);
    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(3));
    {
        const TKeyboardManager::TDeviceUse use(*FManager);
        // Uses of one program nest.
        FManager->WriteLayout(layout);
        const int frames = FSimulator->FramesReceived();
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(ErrorOf([&] { other->ReadLayout(layout); })
                        .startsWith(QStringLiteral("Клавиатура занята другой программой.")));
        EXPECT_GE(clock.elapsed(), 300) << "the other program waits a while first";
        EXPECT_EQ(FSimulator->FramesReceived(), frames);
    }
    other->ReadLayout(layout);

    // Another keyboard (another driver socket) is not held by this one.
    const TKeyboardManager::TDeviceUse use(*FManager);
    TKeyboardSimulator simulator(ShippedKeyboards().ByModel(3), MakeOptions(10));
    TSimulatorServer server(simulator, FDir.filePath(QStringLiteral("second")));
    server.Start();
    TKeyboardManagerOptions managerOptions;
    managerOptions.ProgramPath = QStringLiteral(RAVLIN_DATA_DIR "/ravlin");
    managerOptions.Ports.DriverSocket = server.SocketPath();
    managerOptions.Prompts = &FPrompts;
    managerOptions.DeviceWaitMs = 0;
    TKeyboardManager second(managerOptions);
    EXPECT_NO_THROW(second.PlayMelody(QStringLiteral("C1;10;5")));
}
