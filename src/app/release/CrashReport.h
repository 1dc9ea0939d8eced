#pragma once

#include <QString>

class QWidget;

/// The report of a crash. A fatal signal (a memory fault, an abort) cannot be
/// caught as an exception, so a signal handler writes the error report into
/// a file before the program ends, and the next start offers it once in the
/// error window.
namespace CrashReport {

/// Returns the report file in the user's data folder.
QString DefaultFileName();

/// Installs the handler of SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT for
/// the rest of the run. The handler writes the report's first five lines
/// (the signal as the error's class and text) into fileName, then lets the
/// signal end the program as it would have without it. Everything but the
/// signal is built now: the handler only writes prepared bytes. Call it from
/// the main thread, after the application's name is set.
void Install(const QString &fileName);

/// Offers the report that a crash left in fileName: removes the file, so it
/// is offered only once, shows the error window and mails the report, dated
/// by the file's time, if the user chooses "Отправить отчет". Returns false
/// when there was no report; a file that is no report (empty, too large, not
/// a regular file) is dropped without a word.
bool Offer(QWidget *parent, const QString &fileName);

/// Offers the report once the event loop runs, so that the window is up
/// first and the start does not wait for the user's answer.
void PostOffer(QWidget &window, const QString &fileName);

} // namespace CrashReport
