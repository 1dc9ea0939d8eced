#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

/// An option the command line knows: its name without "--" and whether it
/// takes a value ("--data DIR").
struct TCliOption {
    QString Name;
    bool TakesValue = false;
    QString ValueName;
    /// The help line, untranslated: shown through
    /// QCoreApplication::translate("CliCommands", Help).
    const char *Help = nullptr;
    /// A one-letter alias used as "-o", empty for none.
    QString Short = {};
};

/// The command line split into options and positional arguments. Options may
/// stand before or after the positional arguments; "--" ends the options.
class TCliArguments {
public:
    /// Parses args (without the program name); raises EError for an unknown
    /// option or an option whose value is missing.
    TCliArguments(const QStringList &args, const QList<TCliOption> &known);

    const QStringList &Positional() const { return FPositional; }
    bool Has(const QString &name) const { return FValues.contains(name); }
    /// Returns the option's value, or fallback when it was not given.
    QString Value(const QString &name, const QString &fallback = {}) const;

private:
    Q_DECLARE_TR_FUNCTIONS(TCliArguments)

    QStringList FPositional;
    QMap<QString, QString> FValues;
};
