#include "CliCommands.h"
#include "DeviceSession.h"
#include "LayoutSession.h"

#include "catalogue/Keyboards.h"
#include "model/Layout.h"
#include "model/LayoutDiff.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject DifferenceToJson(const TLayoutDifference &difference)
{
    QJsonObject object{{QStringLiteral("what"), difference.What},
                       {QStringLiteral("a"), difference.A},
                       {QStringLiteral("b"), difference.B},
                       {QStringLiteral("text"), difference.Text()}};
    if (difference.Layer >= 0)
        object.insert(QStringLiteral("layer"), difference.Layer + 1);
    if (difference.Col >= 0)
        object.insert(QStringLiteral("key"), QJsonArray{difference.Row + 1, difference.Col + 1});
    if (!difference.Where.isEmpty())
        object.insert(QStringLiteral("where"), difference.Where);
    return object;
}

// Compares file A with file B, or with the keyboard's layout when B is not
// given; reading the keyboard never writes to it.
int Diff(TCliContext &context)
{
    TLayoutSession session(context);
    const QStringList &args = context.Args.Positional();
    const std::unique_ptr<TLayout> a = session.Open(args[1]);
    std::unique_ptr<TLayout> b;
    if (args.size() > 2) {
        b = session.Open(args[2]);
    } else {
        TDeviceSession device(context);
        b = std::make_unique<TLayout>();
        device.Manager().ReadLayout(*b);
    }
    const TKeyboards &keyboards = session.Keyboards();
    const QList<TLayoutDifference> differences = CompareLayouts(*a, *b, [&keyboards](int id) {
        const TKeyboard *keyboard = keyboards.FindByID(id);
        return keyboard ? keyboard->ClassName : QString::number(id);
    });
    if (context.Args.Has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const TLayoutDifference &difference : differences)
            list.append(DifferenceToJson(difference));
        context.Out << QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("equal"), differences.isEmpty()}, {QStringLiteral("differences"), list}})
                .toJson(QJsonDocument::Indented));
    } else {
        for (const TLayoutDifference &difference : differences)
            context.Out << difference.Text() << '\n';
    }
    return differences.isEmpty() ? ecSuccess : ecNegative;
}

} // namespace

void AddDiffCommand(std::vector<TCliCommand> &commands)
{
    commands.push_back(
        {QStringLiteral("diff"), QStringLiteral("A [B]"),
         QT_TRANSLATE_NOOP("CliCommands", "различия раскладок A и B, без B - раскладки клавиатуры "
                                          "(--json); 1 если различаются"),
         1, 2, Diff});
}
