#pragma once

#include <QString>
#include <functional>
#include <exception>

class QWidget;

/// The one error display of the editor. Every command, dialog button and
/// menu action runs through RunCommand, so that no exception ever leaves a
/// Qt slot: an EError is shown in a message box (the application title as
/// caption, or the caption given), an EAbort shows nothing, and anything else
/// (std::bad_alloc, other exceptions) is a program fault, passed to the fault
/// handler.
namespace CommandGuard {

/// Receives program faults; returns true when it dealt with the fault (the
/// error report plugs in here). Without a handler, or when it returns false,
/// the fault's text is shown in a message box.
using TFaultHandler = std::function<bool(QWidget *parent, const QString &text)>;
void SetFaultHandler(TFaultHandler handler);

/// Runs command; returns true when it ended without an exception.
bool RunCommand(QWidget *parent, const std::function<void()> &command, const QString &caption = QString());

/// Returns the message of the exception being handled, for program faults.
QString FaultText(const std::exception_ptr &error);

} // namespace CommandGuard
