#pragma once

#include "CliArguments.h"

#include <QString>
#include <QTextStream>
#include <functional>
#include <vector>

/// Exit codes of the tool.
enum TExitCode { ecSuccess = 0, ecNegative = 1, ecError = 2 };

/// What a command works with: its arguments, the data folder and the output.
struct TCliContext {
    const TCliArguments &Args;
    /// The folder that holds "Клавиатуры" and "Клавиши".
    QString DataFolder;
    QTextStream &Out;
    QTextStream &Err;
};

/// One command of the tool.
struct TCliCommand {
    QString Name;
    /// Arguments after the name, for the help text ("IN OUT").
    QString Usage;
    /// The help line, untranslated: shown through
    /// QCoreApplication::translate("CliCommands", Summary).
    const char *Summary = nullptr;
    /// The number of positional arguments after the name it takes.
    int MinArgs = 0;
    int MaxArgs = 0;
    std::function<int(TCliContext &)> Run;
};

/// Returns every command of the tool, in the order the help lists them.
const std::vector<TCliCommand> &CliCommands();

/// Returns the options every command understands.
const QList<TCliOption> &CliOptions();

/// Returns whether args (without the program name) ask for Qt's own
/// diagnostics with --verbose; false for a command line that does not parse.
bool VerboseRequested(const QStringList &args);

/// Runs the tool on args (without the program name) and returns its exit
/// code; errors are written to err as their message text. dataFolder is
/// the default of "--data".
int RunCli(const QStringList &args, const QString &dataFolder, QTextStream &out, QTextStream &err);

// The command groups, each defined in its own file.
void AddCatalogueCommands(std::vector<TCliCommand> &commands);
void AddLayoutCommands(std::vector<TCliCommand> &commands);
void AddDeviceCommands(std::vector<TCliCommand> &commands);
void AddDiffCommand(std::vector<TCliCommand> &commands);
