#include "CliCommands.h"
#include "LayoutJson.h"
#include "LayoutSession.h"

#include "base/Numbers.h"
#include "files/LayoutFormat.h"
#include "files/LayoutPicture.h"
#include "model/Layout.h"

#include <QCoreApplication>
#include <QJsonDocument>

namespace {

TMessageSink PrintTo(QTextStream &out)
{
    return [&out](const QString &text, uint32_t) { out << text << '\n'; };
}

int NewLayout(TCliContext &context)
{
    TLayoutSession session(context);
    const QStringList &args = context.Args.Positional();
    TLayout layout;
    layout.ChangeKeyboard(session.Keyboards().ByID(StrToInt(args[1])));
    session.Save(layout, args[2]);
    return ecSuccess;
}

int Convert(TCliContext &context)
{
    TLayoutSession session(context);
    const QStringList &args = context.Args.Positional();
    auto layout = session.Open(args[1]);
    session.Save(*layout, args[2]);
    return ecSuccess;
}

int Export(TCliContext &context)
{
    TLayoutSession session(context);
    const QStringList &args = context.Args.Positional();
    auto layout = session.Open(args[1]);
    SaveLayoutPicture(*layout, args[2], session.LayerIndex(*layout));
    return ecSuccess;
}

int Dump(TCliContext &context)
{
    TLayoutSession session(context);
    auto layout = session.Open(context.Args.Positional()[1]);
    context.Out << QString::fromUtf8(QJsonDocument(LayoutToJson(*layout)).toJson(QJsonDocument::Indented));
    return ecSuccess;
}

int Check(TCliContext &context)
{
    TLayoutSession session(context);
    auto layout = session.Open(context.Args.Positional()[1]);
    return layout->Check(PrintTo(context.Out)) ? ecSuccess : ecNegative;
}

int Find(TCliContext &context)
{
    TLayoutSession session(context);
    const QStringList &args = context.Args.Positional();
    auto layout = session.Open(args[1]);
    return layout->Find(args[2], session.Layer(), PrintTo(context.Out)) > 0 ? ecSuccess : ecNegative;
}

int Replace(TCliContext &context)
{
    TLayoutSession session(context);
    const QStringList &args = context.Args.Positional();
    TLayoutFormat *format = nullptr;
    auto layout = session.Open(args[1], &format);
    const int count = layout->Replace(args[2], args[3], session.Layer());
    context.Out << QCoreApplication::translate("CliCommands", "[Замена] (%1->%2) Количество замен: %3")
                       .arg(args[2], args[3])
                       .arg(count)
                << '\n';
    // Without -o the file is rewritten in the format it was read in.
    const QString output = context.Args.Value(QStringLiteral("output"));
    if (output.isEmpty())
        format->SaveToFile(*layout, args[1]);
    else
        session.Save(*layout, output);
    return ecSuccess;
}

} // namespace

void AddLayoutCommands(std::vector<TCliCommand> &commands)
{
    commands.push_back({QStringLiteral("new"), QStringLiteral("ID OUT"),
                        QT_TRANSLATE_NOOP("CliCommands", "новая раскладка для модели с идентификатором ID"),
                        2, 2, NewLayout});
    commands.push_back({QStringLiteral("convert"), QStringLiteral("IN OUT"),
                        QT_TRANSLATE_NOOP("CliCommands", "чтение IN и запись OUT (--in-format, --format)"), 2,
                        2, Convert});
    commands.push_back(
        {QStringLiteral("export"), QStringLiteral("IN OUT"),
         QT_TRANSLATE_NOOP("CliCommands", "рисунок раскладки в PNG, SVG или PDF по расширению OUT (--layer)"),
         2, 2, Export});
    commands.push_back({QStringLiteral("dump"), QStringLiteral("IN"),
                        QT_TRANSLATE_NOOP("CliCommands", "раскладка целиком в JSON"), 1, 1, Dump});
    commands.push_back({QStringLiteral("check"), QStringLiteral("IN"),
                        QT_TRANSLATE_NOOP("CliCommands", "проверка последовательностей кодов; 1 при ошибках"),
                        1, 1, Check});
    commands.push_back(
        {QStringLiteral("find"), QStringLiteral("IN TEXT"),
         QT_TRANSLATE_NOOP("CliCommands", "поиск кодов в выделении файла (--layer); 1 если не найдено"), 2, 2,
         Find});
    commands.push_back({QStringLiteral("replace"), QStringLiteral("IN FROM TO"),
                        QT_TRANSLATE_NOOP("CliCommands", "замена кодов (--layer, -o OUT; по умолчанию в IN)"),
                        3, 3, Replace});
}
