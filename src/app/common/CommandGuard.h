#pragma once

#include <QString>
#include <functional>
#include <exception>

class QWidget;

/// The one error display of the editor. Every command, dialog button and
/// menu action runs through RunCommand, so that no exception ever leaves a
/// Qt slot: an EError is shown in a message box (the application title as
/// caption, or the caption given), an EAbort shows nothing, and a program
/// fault (an EConvertError, and anything that is not an EError: std::bad_alloc,
/// other exceptions) is passed to the fault handler.
namespace CommandGuard {

/// Receives program faults; returns true when it dealt with the fault (the
/// error report plugs in here). Without a handler, or when it returns false,
/// the fault's text is shown in a message box.
using TFaultHandler = std::function<bool(QWidget *parent, const std::exception_ptr &error)>;
void SetFaultHandler(TFaultHandler handler);

/// Runs command; returns true when it ended without an exception.
bool RunCommand(QWidget *parent, const std::function<void()> &command, const QString &caption = QString());

/// Returns whether error is a program fault rather than one of the
/// program's own errors or a user's abort.
bool IsFault(const std::exception_ptr &error);

/// Returns the message of error, for program faults.
QString FaultText(const std::exception_ptr &error);

/// Returns the class name of error ("std::bad_alloc", "EConvertError").
QString FaultClassName(const std::exception_ptr &error);

} // namespace CommandGuard
