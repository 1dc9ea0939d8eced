#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

/// An option the command line knows: its name without "--" and whether it
/// takes a value ("--data DIR").
struct TCliOption {
    QString Name;
    bool TakesValue = false;
    QString ValueName;
    QString Help;
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
    QStringList FPositional;
    QMap<QString, QString> FValues;
};
