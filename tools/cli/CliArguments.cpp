#include "CliArguments.h"

#include "base/Error.h"

TCliArguments::TCliArguments(const QStringList &args, const QList<TCliOption> &known)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (!optionsEnded && arg.size() == 2 && arg[0] == u'-' && arg[1] != u'-') {
            // A one-letter alias stands for its long option; anything else
            // ("-A", a code text) is a positional argument.
            const auto alias = std::find_if(known.begin(), known.end(),
                                            [&](const TCliOption &o) { return o.Short == arg.mid(1); });
            if (alias != known.end())
                arg = QStringLiteral("--") + alias->Name;
        }
        if (optionsEnded || !arg.startsWith(u"--") || arg.size() == 2) {
            if (arg == u"--" && !optionsEnded)
                optionsEnded = true;
            else
                FPositional.append(arg);
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        const qsizetype eq = name.indexOf(u'=');
        const bool inlineValue = eq >= 0;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        const auto option = std::find_if(known.begin(), known.end(),
                                         [&](const TCliOption &o) { return o.Name == name; });
        if (option == known.end())
            throw EError(tr("Неизвестный параметр командной строки: %1").arg(arg));
        if (option->TakesValue && !inlineValue) {
            if (i + 1 >= args.size())
                throw EError(tr("Не указано значение параметра --%1").arg(name));
            value = args[++i];
        } else if (!option->TakesValue && inlineValue) {
            throw EError(tr("Параметр --%1 не принимает значения").arg(name));
        }
        FValues.insert(name, value);
    }
}

QString TCliArguments::Value(const QString &name, const QString &fallback) const
{
    return FValues.value(name, fallback);
}
