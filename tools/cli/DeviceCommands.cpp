#include "CliCommands.h"
#include "DeviceSession.h"

#include "base/Error.h"
#include "device/DeviceReport.h"
#include "device/KeyboardDriver.h"
#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "model/Layout.h"

#include <QCoreApplication>

namespace {

int Devices(TCliContext &context)
{
    TDeviceSession session(context);
    TDeviceList devices;
    session.Manager().GetDevices(devices);
    for (const TDeviceEntry &device : devices)
        context.Out << device.Name << (device.Name == session.Manager().DeviceName() ? QStringLiteral("\t*") : QString())
                    << '\n';
    return ecSuccess;
}

int Info(TCliContext &context)
{
    TDeviceSession session(context);
    const TKeyboardManager::TDeviceUse use(session.Manager());
    const TDeviceReport report = ReadDeviceReport(session.Manager().Driver(), session.Manager().Keyboards());
    for (const TDeviceReportRow &row : report.Rows)
        context.Out << row.Caption << '\t' << row.Value << (row.Warning ? QStringLiteral("\t!") : QString()) << '\n';
    if (!report.LayoutState.isEmpty())
        context.Out << QCoreApplication::translate("CliCommands", "Состояние раскладки") << '\t'
                    << QString(report.LayoutState).replace(QStringLiteral("\n\r"), QStringLiteral(" "))
                    << '\n';
    return report.LayoutState.isEmpty() || report.LayoutValid ? ecSuccess : ecNegative;
}

int ReadLayout(TCliContext &context)
{
    TDeviceSession session(context);
    TLayout layout;
    session.Manager().ReadLayout(layout);
    const QString &path = context.Args.Positional()[1];
    ChooseFormat(session.Manager().Formats(), context.Args.Value(QStringLiteral("format"), path))
        .SaveToFile(layout, path);
    return ecSuccess;
}

int WriteLayout(TCliContext &context)
{
    TDeviceSession session(context);
    TLayout layout;
    const QString &path = context.Args.Positional()[1];
    ChooseFormat(session.Manager().OpenFormats(), context.Args.Value(QStringLiteral("in-format"), path))
        .LoadFromFile(layout, path);
    session.Manager().WriteLayout(layout);
    return ecSuccess;
}

int ReadMemory(TCliContext &context)
{
    TDeviceSession session(context);
    session.Manager().ReadMemoryToFile(context.Args.Positional()[1]);
    return ecSuccess;
}

int WriteImage(TCliContext &context)
{
    TDeviceSession session(context);
    session.Manager().WriteImageFile(context.Args.Positional()[1]);
    return ecSuccess;
}

int WriteProgram(TCliContext &context)
{
    TDeviceSession session(context);
    session.Manager().WriteProgramFile(context.Args.Positional()[1]);
    return ecSuccess;
}

int Mode(TCliContext &context)
{
    const QString mode = context.Args.Positional()[1];
    if (mode != u"loader" && mode != u"work")
        throw EError(
            QCoreApplication::translate("CliCommands", "Неизвестный режим \"%1\": допустимы loader и work.")
                .arg(mode));
    TDeviceSession session(context);
    const TKeyboardManager::TDeviceUse use(session.Manager());
    session.Manager().Driver().SetMode(mode == u"loader", false);
    return ecSuccess;
}

int Play(TCliContext &context)
{
    TDeviceSession session(context);
    session.Manager().PlayMelody(context.Args.Positional()[1]);
    return ecSuccess;
}

} // namespace

void AddDeviceCommands(std::vector<TCliCommand> &commands)
{
    const auto add = [&](const char16_t *name, const char16_t *usage, const char *summary, int args,
                         int (*run)(TCliContext &)) {
        commands.push_back({QString::fromUtf16(name), QString::fromUtf16(usage), summary, args, args, run});
    };
    add(u"devices", u"", QT_TRANSLATE_NOOP("CliCommands", "устройства всех портов; * у выбранного"), 0,
        Devices);
    add(u"info", u"",
        QT_TRANSLATE_NOOP("CliCommands", "информация об устройстве; 1 если раскладка повреждена"), 0, Info);
    add(u"read-layout", u"OUT",
        QT_TRANSLATE_NOOP("CliCommands", "чтение раскладки из клавиатуры в файл (--format)"), 1, ReadLayout);
    add(u"write-layout", u"IN",
        QT_TRANSLATE_NOOP("CliCommands", "запись раскладки из файла в клавиатуру (--in-format)"), 1,
        WriteLayout);
    add(u"read-memory", u"OUT", QT_TRANSLATE_NOOP("CliCommands", "память раскладки клавиатуры в файл .bin"),
        1, ReadMemory);
    add(u"write-image", u"IN", QT_TRANSLATE_NOOP("CliCommands", "запись файла раскладки .bin в клавиатуру"),
        1, WriteImage);
    add(u"write-program", u"IN", QT_TRANSLATE_NOOP("CliCommands", "запись файла программы в клавиатуру"), 1,
        WriteProgram);
    add(u"mode", u"loader|work",
        QT_TRANSLATE_NOOP("CliCommands", "перевод клавиатуры в режим загрузчика или в рабочий режим"), 1,
        Mode);
    add(u"play", u"MELODY", QT_TRANSLATE_NOOP("CliCommands", "мелодия на динамике клавиатуры (текст нот)"), 1,
        Play);
}
