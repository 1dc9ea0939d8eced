#include "CliCommands.h"

#include "base/Error.h"
#include "base/ProgramVersion.h"

#include <QCoreApplication>
#include <new>

namespace {

void PrintHelp(QTextStream &out)
{
    // The help lines are translated here, not where the lists are built:
    // the options are listed before the application and its translation exist.
    out << QCoreApplication::translate("CliCommands", "Использование: ravlin [параметры] КОМАНДА [АРГУМЕНТЫ]")
        << "\n\n"
        << QCoreApplication::translate("CliCommands", "Команды:") << '\n';
    for (const TCliCommand &c : CliCommands()) {
        const QString synopsis = c.Usage.isEmpty() ? c.Name : c.Name + u' ' + c.Usage;
        out << "  " << synopsis.leftJustified(28) << ' '
            << QCoreApplication::translate("CliCommands", c.Summary) << '\n';
    }
    out << '\n'
        << QCoreApplication::translate("CliCommands", "Параметры (в любом месте командной строки):") << '\n';
    for (const TCliOption &o : CliOptions()) {
        QString synopsis = QStringLiteral("--") + o.Name + (o.TakesValue ? u' ' + o.ValueName : QString());
        if (!o.Short.isEmpty())
            synopsis = u'-' + o.Short + QStringLiteral(", ") + synopsis;
        out << "  " << synopsis.leftJustified(28) << ' ' << QCoreApplication::translate("CliCommands", o.Help)
            << '\n';
    }
    out << '\n'
        << QCoreApplication::translate(
               "CliCommands",
               "Коды завершения: 0 успех, 1 отрицательный результат, 2 ошибка (текст ошибки в stderr).")
        << '\n';
}

} // namespace

const QList<TCliOption> &CliOptions()
{
    static const QList<TCliOption> options = {
        {QStringLiteral("data"), true, QStringLiteral("DIR"),
         QT_TRANSLATE_NOOP("CliCommands", "папка с \"Клавиатуры\" и \"Клавиши\" (по умолчанию папка "
                                          "программы или ../share/ravlin от нее)")},
        {QStringLiteral("format"), true, QStringLiteral("F"),
         QT_TRANSLATE_NOOP(
             "CliCommands",
             "формат записи: xml, xml13, bin, bin13, emf, bin28, bin29 (по умолчанию по расширению)")},
        {QStringLiteral("in-format"), true, QStringLiteral("F"),
         QT_TRANSLATE_NOOP("CliCommands", "формат чтения: xml или bin (по умолчанию по расширению)")},
        {QStringLiteral("layer"), true, QStringLiteral("N"),
         QT_TRANSLATE_NOOP("CliCommands",
                           "номер слоя, от 1 (поиск и замена: по умолчанию все слои; рисунок: первый)")},
        {QStringLiteral("output"), true, QStringLiteral("OUT"),
         QT_TRANSLATE_NOOP("CliCommands", "файл результата замены"), QStringLiteral("o")},
        {QStringLiteral("device"), true, QStringLiteral("NAME"),
         QT_TRANSLATE_NOOP("CliCommands", "устройство из списка devices (по умолчанию из настроек)")},
        {QStringLiteral("driver-socket"), true, QStringLiteral("PATH"),
         QT_TRANSLATE_NOOP(
             "CliCommands",
             "сокет драйвера PS/2 клавиатуры (по умолчанию из настроек или $XDG_RUNTIME_DIR/QvKbdDrv)")},
        {QStringLiteral("yes"), false, {},
         QT_TRANSLATE_NOOP("CliCommands", "отвечать \"да\" на вопросы при записи в клавиатуру")},
        {QStringLiteral("no-backup"), false, {},
         QT_TRANSLATE_NOOP("CliCommands",
                           "не сохранять раскладку клавиатуры в папку резервных копий перед записью")},
        {QStringLiteral("json"), false, {}, QT_TRANSLATE_NOOP("CliCommands", "различия в JSON (diff)")},
        {QStringLiteral("verbose"), false, {},
         QT_TRANSLATE_NOOP("CliCommands", "показывать в stderr и внутренние предупреждения Qt")},
        {QStringLiteral("help"), false, {}, QT_TRANSLATE_NOOP("CliCommands", "эта справка")},
        {QStringLiteral("version"), false, {}, QT_TRANSLATE_NOOP("CliCommands", "версия программы")},
    };
    return options;
}

const std::vector<TCliCommand> &CliCommands()
{
    static const std::vector<TCliCommand> commands = [] {
        std::vector<TCliCommand> list;
        AddCatalogueCommands(list);
        AddLayoutCommands(list);
        AddDeviceCommands(list);
        AddDiffCommand(list);
        return list;
    }();
    return commands;
}

bool VerboseRequested(const QStringList &args)
{
    try {
        return TCliArguments(args, CliOptions()).Has(QStringLiteral("verbose"));
    } catch (const EError &) {
        return false;
    }
}

int RunCli(const QStringList &args, const QString &dataFolder, QTextStream &out, QTextStream &err)
{
    try {
        const TCliArguments parsed(args, CliOptions());
        if (parsed.Has(QStringLiteral("version")) && !parsed.Has(QStringLiteral("help"))) {
            out << "ravlin " << ProgramVersion() << '\n';
            return ecSuccess;
        }
        if (parsed.Has(QStringLiteral("help")) || parsed.Positional().isEmpty()) {
            PrintHelp(parsed.Positional().isEmpty() && !parsed.Has(QStringLiteral("help")) ? err : out);
            return parsed.Has(QStringLiteral("help")) ? ecSuccess : ecError;
        }
        const QString name = parsed.Positional().first();
        const auto &commands = CliCommands();
        const auto command = std::find_if(commands.begin(), commands.end(),
                                          [&](const TCliCommand &c) { return c.Name == name; });
        if (command == commands.end())
            throw EError(QCoreApplication::translate("CliCommands", "Неизвестная команда: %1").arg(name));
        const qsizetype given = parsed.Positional().size() - 1;
        if (given < command->MinArgs || given > command->MaxArgs)
            throw EError(
                QCoreApplication::translate(
                    "CliCommands", "Неверное число аргументов команды %1. Использование: ravlin %1 %2")
                    .arg(command->Name, command->Usage)
                    .trimmed());
        TCliContext context{parsed, parsed.Value(QStringLiteral("data"), dataFolder), out, err};
        return command->Run(context);
    } catch (const EError &e) {
        out.flush();
        err << e.Message() << '\n';
        return ecError;
    } catch (const std::bad_alloc &) {
        out.flush();
        err << QCoreApplication::translate("CliCommands", "Недостаточно памяти для выполнения команды.")
            << '\n';
        return ecError;
    } catch (const EAbort &) {
        // A question answered No: the operation ends without a message.
        return ecNegative;
    }
}
