#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>

/// The driver action a command line asks for.
enum class TCommandLineAction { None, Install, Uninstall };

/// What CheckCommandLine found and did.
struct TCommandLineResult {
    /// The action that ran (None when the command line asked for none).
    TCommandLineAction Action = TCommandLineAction::None;
    /// The owner window handle read from the second parameter.
    quintptr OwnerHandle = 0;
    /// The message of the error the action raised, already shown to the
    /// user; empty when there was none.
    QString Error;
};

/// Returns whether arguments (the program first, as QCoreApplication gives
/// them) hold the switch name after one of the switch characters "-", "/"
/// or "\", in any letter case, at any position after the program.
bool FindCommandLineSwitch(const QStringList &arguments, QStringView name);

/// Returns the window handle text stands for: a decimal number, or a
/// hexadecimal one after "$"; 0 when the text is neither.
quintptr ParseWindowHandle(const QString &text);

/// Looks at the command line: on the switch "install" installs the keyboard
/// filter driver, else on "uninstall" removes it, with the second parameter
/// as the owner window of its messages. An error of the action is shown in a
/// message box (Windows) and reported in result. Returns whether an action
/// was asked for: the program then ends without opening its window.
bool CheckCommandLine(const QStringList &arguments, TCommandLineResult *result = nullptr);

/// Carries out a driver switch of the command line (main's argc and argv)
/// with CheckCommandLine, before the program touches any window system, so
/// that it works without a display too. Returns none when the command line
/// asks for no driver action (the program then opens its window), else the
/// program's exit status: 0 when the action succeeded, 1 when it failed; the
/// failure's message is also written to standard error.
std::optional<int> RunDriverSwitches(int argc, const char *const *argv);

/// Installs the keyboard filter driver from "Inst.inf" in the program's
/// folder and makes it an upper filter of every i8042prt keyboard; shows the
/// success message or raises EError. Does nothing on systems other than
/// Windows.
void InstallDriver(quintptr ownerHandle);

/// Removes the driver and clears the upper filters of those keyboards;
/// shows the success message or raises EError. Does nothing on systems other
/// than Windows.
void UninstallDriver(quintptr ownerHandle);

/// Returns the full name of the driver's INF file in programFolder, with the
/// system's separators.
QString DriverInfFileName(const QString &programFolder);

/// Returns the message for a failed installation (install true) or removal
/// with the system error code and its text, with the hints for a missing INF
/// file (code 2) and missing administrator rights (code 5); empty for the
/// setup codes E000022Fh and E000020Bh, which end the action silently.
QString DriverErrorText(bool install, uint32_t code, const QString &systemMessage,
                        const QString &infFileName);
