#include "KeyboardManagerFixture.h"

#include "device/DeviceInfo.h"

// Every fault the keyboard can make, at every request of writing and of
// reading a layout: the handshakes, the backup, every block, the header
// block, the comparison and the closing mode switch.

namespace {

// One kind of fault and the messages it may end in. A fault the program
// recovers from (a lost answer is asked again, a keyboard that is switching
// modes is waited for, a backup that fails is answered "write anyway") ends
// in success instead.
struct TFaultKind {
    QString Name;
    std::function<void(TSimulatorFaults &, int frame)> Set;
    QString Message;
    bool AlwaysFails = false;
};

QList<TFaultKind> FaultKinds()
{
    QList<TFaultKind> kinds{
        {QStringLiteral("drop"), [](TSimulatorFaults &f, int frame) { f.DropFrame = frame; }, {}},
        {QStringLiteral("corrupt"), [](TSimulatorFaults &f, int frame) { f.CorruptFrame = frame; },
         QStringLiteral("Ошибка CRC")},
        {QStringLiteral("stop"), [](TSimulatorFaults &f, int frame) { f.StopAfter = frame - 1; },
         QStringLiteral("Нет связи"), true},
    };
    for (const uint8_t code : {uint8_t(deBadParameter), uint8_t(deNotSupported), uint8_t(deWrongMode), uint8_t(0x55)}) {
        const QString message = QStringLiteral("Ошибка устройства: %1, %2h\r\n%3")
                                    .arg(code)
                                    .arg(QString::number(code, 16).toUpper().rightJustified(2, u'0'))
                                    .arg(DeviceErrorText(code));
        kinds.append({QStringLiteral("error %1").arg(code),
                      [code](TSimulatorFaults &f, int frame) {
                          f.ErrorFrame = frame;
                          f.ErrorCode = code;
                      },
                      message});
    }
    return kinds;
}

// The 30-key model: images of a few blocks keep the number of cases small.
class KeyboardManagerFaultTest : public KeyboardManagerTest {
protected:
    void SetUp() override
    {
        // A keyboard that has stopped is given up on after 3 × 100 ms.
        FDriverTimeoutMs = 100;
        const TKeyboard &model = ShippedKeyboards().ByID(2);
        TSimulatorOptions options = MakeOptions(10);
        options.ModelCode = model.Model;
        Connect(options);
        FOld.ChangeKeyboard(model);
        FNew = MakeRichLayout(ShippedKeyboards(), 2, {false, false, true});
        FManager->WriteLayout(FOld);
        FOldMemory = FSimulator->LayoutMemory();
        FOldImage = FManager->ImageFormat().SaveToString(FOld);
    }

    // Puts the old layout back into a keyboard in working mode that has no
    // faults.
    void Restore()
    {
        FSimulator->SetFaults({});
        FManager->Driver().SetMode(false, false);
        FSimulator->SetLayoutMemory(FOldMemory);
    }

    // Returns the number of requests call makes when nothing goes wrong.
    int FramesOf(const std::function<void()> &call)
    {
        Restore();
        const int start = FSimulator->FramesReceived();
        call();
        return FSimulator->FramesReceived() - start;
    }

    // Runs call once with every kind of fault at every request number from
    // 1 to frames. A call that fails must give the kind's message, one that
    // succeeds must be allowed to; check then looks at the outcome (empty
    // message for success) and where describes the case.
    void ForEveryFault(int frames, const std::function<void()> &call,
                       const std::function<void(const TFaultKind &, const QString &message,
                                                const std::string &where)> &check)
    {
        for (const TFaultKind &kind : FaultKinds()) {
            for (int frame = 1; frame <= frames; ++frame) {
                const std::string where =
                    QStringLiteral("%1 at request %2 of %3").arg(kind.Name).arg(frame).arg(frames).toStdString();
                Restore();
                TSimulatorFaults faults;
                kind.Set(faults, FSimulator->FramesReceived() + frame);
                FSimulator->SetFaults(faults);
                FPrompts.Questions.clear();
                QString message;
                try {
                    call();
                } catch (const EError &error) {
                    message = error.Message();
                }
                if (message.isEmpty())
                    EXPECT_FALSE(kind.AlwaysFails) << where;
                else
                    EXPECT_EQ(message, kind.Message) << where;
                check(kind, message, where);
            }
        }
    }

    // The keyboard accepts no layout it did not get whole: a valid layout is
    // either the old one or the new one.
    void ExpectNoPartialLayout(const QByteArray &newImage, const std::string &where)
    {
        if (!FSimulator->Status().LayoutValid)
            return;
        const QByteArray memory = FSimulator->LayoutMemory();
        EXPECT_TRUE(memory.startsWith(FOldImage) || memory.startsWith(newImage)) << where;
    }

    TLayout FOld;
    std::unique_ptr<TLayout> FNew;
    QByteArray FOldMemory;
    QByteArray FOldImage;
};

} // namespace

TEST_F(KeyboardManagerFaultTest, EveryFaultWhileWritingEndsCleanly)
{
    const QString file = FDir.filePath(QStringLiteral("new.xml"));
    FManager->SaveLayout(*FNew, 0, file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray fileBytes = saved.readAll();
    saved.close();

    const int frames = FramesOf([&] { FManager->WriteLayout(*FNew); });
    const QByteArray newImage = FManager->ImageFormat().SaveToString(*FNew);
    const QString document = FManager->LayoutToXML(*FNew);
    ASSERT_GT(frames, 20);
    int failures = 0;
    ForEveryFault(frames, [&] { FManager->WriteLayout(*FNew); },
                  [&](const TFaultKind &kind, const QString &message, const std::string &where) {
                      if (message.isEmpty()) {
                          EXPECT_TRUE(FSimulator->LayoutMemory().startsWith(newImage)) << where;
                          EXPECT_TRUE(FSimulator->Status().LayoutValid) << where;
                          EXPECT_FALSE(FSimulator->Status().LoaderMode) << where;
                      } else {
                          ++failures;
                      }
                      // A backup that could not be read says why before writing on.
                      for (const QString &question : FPrompts.Questions) {
                          if (question.startsWith(QStringLiteral("Не удалось сохранить резервную копию"))) {
                              EXPECT_TRUE(question.contains(kind.Message)) << where << ": " << question.toStdString();
                          }
                      }
                      ExpectNoPartialLayout(newImage, where);
                      EXPECT_EQ(FManager->LayoutToXML(*FNew), document) << where;

                      // The keyboard is fine again: the write goes through.
                      FSimulator->SetFaults({});
                      FManager->WriteLayout(*FNew);
                      EXPECT_TRUE(FSimulator->LayoutMemory().startsWith(newImage)) << where;
                  });
    EXPECT_GT(failures, frames * 3) << "most faults cannot be recovered from";
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), fileBytes);
}

TEST_F(KeyboardManagerFaultTest, EveryFaultWhileReadingLeavesTheDocumentAlone)
{
    const auto document = MakeRichLayout(ShippedKeyboards(), 2, {false, false, true});
    const QString before = FManager->LayoutToXML(*document);
    const int frames = FramesOf([&] {
        TLayout read;
        FManager->ReadLayout(read);
    });
    ASSERT_GT(frames, 3);
    ForEveryFault(frames, [&] { FManager->ReadLayout(*document); },
                  [&](const TFaultKind &, const QString &message, const std::string &where) {
                      if (message.isEmpty()) {
                          // The keyboard's image was read into the document.
                          EXPECT_NE(FManager->LayoutToXML(*document), before) << where;
                          FManager->LayoutFromXML(*document, before);
                      } else {
                          EXPECT_EQ(FManager->LayoutToXML(*document), before) << where;
                      }
                      EXPECT_EQ(FSimulator->LayoutMemory(), FOldMemory) << where;
                  });
}
