#include "KeyboardManagerFixture.h"

#include <QDir>

#include "model/Key.h"
#include "model/Layer.h"
#include "model/ScanCodes.h"

// The check before writing lists every faulty sequence in the message window,
// tagged with the layout, between clearing and showing it, and only then asks.
TEST_F(KeyboardManagerTest, FaultyLayoutLinesReachTheMessageWindowBeforeTheQuestion)
{
    Connect();
    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(3));
    layout.Layers().Item(0).KeyAt(0, 0)->MakeCodes().SetText(u"-A");
    layout.Layers().Item(0).KeyAt(1, 0)->BreakCodes().SetText(u"+B");
    QStringList events;
    FManager->OnCheckLayout = [&] { events << QStringLiteral("clear"); };
    FManager->OnLayoutFaulty = [&] { events << QStringLiteral("show"); };
    // Lines about no layout (backup, verification) are not the check's.
    FManager->OnMessage = [&](const QString &text, const TLayout *owner) {
        if (owner) {
            EXPECT_EQ(owner, &layout);
            events << text;
        }
    };
    FPrompts.Answer = false;
    EXPECT_THROW(FManager->WriteLayout(layout), EAbort);
    ASSERT_EQ(events.size(), 4) << events.join(u'|').toStdString();
    EXPECT_EQ(events[0], QStringLiteral("clear"));
    EXPECT_TRUE(events[1].startsWith(QStringLiteral("[Ошибка(1)] Слой 1. Клавиша (1,1). Коды нажатия.")));
    EXPECT_TRUE(events[2].startsWith(QStringLiteral("[Ошибка(2)] Слой 1. Клавиша (1,2). Коды отжатия.")));
    EXPECT_EQ(events[3], QStringLiteral("show"));
    EXPECT_EQ(FPrompts.Questions.size(), 1);
    EXPECT_TRUE(WriteAddresses().isEmpty());

    // A valid layout clears the window and lists nothing.
    events.clear();
    layout.Layers().Item(0).KeyAt(0, 0)->MakeCodes().SetText(u"+A -A");
    layout.Layers().Item(0).KeyAt(1, 0)->BreakCodes().SetText(u"");
    FManager->WriteLayout(layout);
    EXPECT_EQ(events, QStringList{QStringLiteral("clear")});
}

// The question about a program meant for another model names that model as
// the file's name before its last "_", so model names holding "_" come out
// whole.
TEST_F(KeyboardManagerTest, ProgramQuestionNamesTheModelBeforeTheLastUnderscore)
{
    Connect();
    const QString model = ShippedKeyboards().ByModel(3).Name;
    const auto question = [&](const QString &name) {
        const QString path = FDir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(10, '\x5a'));
        file.close();
        FPrompts.Questions.clear();
        FPrompts.Answer = false;
        // No ends the write silently; a file named after the model is
        // written, whatever the keyboard then thinks of its content.
        try {
            FManager->WriteProgramFile(path);
        } catch (const EAbort &) {
        } catch (const EError &) {
        }
        return FPrompts.Questions.isEmpty() ? QString() : FPrompts.Questions[0];
    };
    const QString text = QStringLiteral("Вы хотите записать в клавиатуру %1 программу,\r\nпредназначенную для клавиатуры "
                                        "%2.\r\nЭто может привести к ее неправильной работе.\r\nПродолжить ?");
    EXPECT_EQ(question(QStringLiteral("KP_64_v2.8.prg")), text.arg(model, QStringLiteral("KP_64")));
    EXPECT_EQ(question(QStringLiteral("Other.prg")), text.arg(model, QStringLiteral("Other")));
    EXPECT_EQ(question(QStringLiteral("a_b_c_v3.prg")), text.arg(model, QStringLiteral("a_b_c")));
    // Named after the model, with or without a version, asks nothing.
    EXPECT_EQ(question(model.toLower() + QStringLiteral(".prg")), QString());
    EXPECT_EQ(question(model + QStringLiteral("_v2.10.prg")), QString());
    EXPECT_FALSE(FSimulator->Status().LoaderMode);
}

// A program folder whose model descriptions are missing or broken still
// starts: the catalogue keeps what loaded and the reasons are kept.
TEST(KeyboardManagerStart, MissingOrBrokenModelDescriptionsDoNotStopTheStart)
{
    QTemporaryDir dir;
    TKeyboardManagerOptions options;
    options.ProgramPath = dir.filePath(QStringLiteral("ravlin"));
    {
        const TKeyboardManager manager(options);
        EXPECT_EQ(manager.CatalogueErrors().size(), 1);
        EXPECT_TRUE(manager.CatalogueErrors().value(0).contains(QStringLiteral("Не существует директория")))
            << manager.CatalogueErrors().value(0).toStdString();
    }
    const QString models = dir.filePath(QStringLiteral("Клавиатуры"));
    ASSERT_TRUE(QDir().mkpath(models));
    ASSERT_TRUE(QFile::copy(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры/KP_64.xml"), models + QStringLiteral("/KP_64.xml")));
    QFile broken(models + QStringLiteral("/broken.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<Keyboard");
    broken.close();
    TKeyboardManager manager(options);
    EXPECT_EQ(manager.Keyboards().Count(), 1);
    ASSERT_EQ(manager.CatalogueErrors().size(), 1);
    EXPECT_TRUE(manager.CatalogueErrors()[0].startsWith(QStringLiteral("Ошибка в файле broken.xml: ")))
        << manager.CatalogueErrors()[0].toStdString();
}
