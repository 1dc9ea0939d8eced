#pragma once

#include <QString>

/// What the keyboard manager asks of the user during a device operation.
/// The editor answers with message boxes and file dialogs, the command-line
/// tool from its options, tests from a script.
class TManagerPrompts {
public:
    virtual ~TManagerPrompts() = default;
    /// Asks a question with Yes and No (caption "Внимание", warning icon);
    /// returns true for Yes.
    virtual bool Ask(const QString &text) = 0;
    /// Shows a warning with OK only (caption "Внимание").
    virtual void Warn(const QString &text) = 0;
    /// Lets the user pick a file to open; returns its path, or an empty text
    /// when the user cancels.
    virtual QString ChooseFile(const QString &filter, const QString &proposedName, const QString &folder) = 0;
};
