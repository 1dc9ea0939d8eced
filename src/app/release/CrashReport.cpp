#include "release/CrashReport.h"

#include "base/DataFolders.h"
#include "base/Error.h"
#include "base/SafeFile.h"
#include "common/CommandGuard.h"
#include "release/ErrorReport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <optional>
#include <unistd.h>

namespace {

// The error's class and text in the report of each signal handled.
struct TSignalText {
    int Number;
    const char *Name;
    const char *Text;
};

const TSignalText kSignals[] = {
    {SIGSEGV, "SIGSEGV", QT_TRANSLATE_NOOP("CrashReport", "Обращение к недоступной памяти")},
    {SIGBUS, "SIGBUS", QT_TRANSLATE_NOOP("CrashReport", "Обращение к несуществующему адресу памяти")},
    {SIGFPE, "SIGFPE", QT_TRANSLATE_NOOP("CrashReport", "Ошибка арифметической операции")},
    {SIGILL, "SIGILL", QT_TRANSLATE_NOOP("CrashReport", "Недопустимая команда процессора")},
    {SIGABRT, "SIGABRT", QT_TRANSLATE_NOOP("CrashReport", "Аварийное завершение программы")},
};
constexpr size_t kSignalCount = std::size(kSignals);

// Stand for the signal's name and text in the prepared report lines.
const QString kClassMark = QStringLiteral("\u0001");
const QString kTextMark = QStringLiteral("\u0002");

// A report is a few hundred bytes; anything much larger is no report.
constexpr qint64 kMaxReportSize = 64 * 1024;

// Bytes prepared by Install for the handler, which may neither allocate nor
// call into Qt.
template <size_t Capacity> struct TPrepared {
    char Data[Capacity];
    size_t Size = 0;

    // Takes bytes with a closing zero; false when they do not fit.
    bool Assign(const QByteArray &bytes)
    {
        if (size_t(bytes.size()) >= Capacity)
            return false;
        std::memcpy(Data, bytes.constData(), size_t(bytes.size()));
        Data[bytes.size()] = '\0';
        Size = size_t(bytes.size());
        return true;
    }
};

TPrepared<4096> GFileName;
// The report up to the signal's name, between its name and text, after it.
TPrepared<2048> GHead;
TPrepared<256> GMiddle;
TPrepared<2048> GTail;
// The error's text of each signal of kSignals, in the same order.
TPrepared<512> GSignalTexts[kSignalCount];
// The handler's own stack: a crash by stack overflow leaves none to run on.
alignas(16) char GSignalStack[64 * 1024];

// Async-signal-safe output: write() only, retried when interrupted, given up
// when the file takes no more.
void WriteBytes(int file, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(file, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= size_t(written);
    }
}

void WriteText(int file, const char *text)
{
    WriteBytes(file, text, std::strlen(text));
}

void OnFatalSignal(int number)
{
    const int savedErrno = errno;
    const int file = open(GFileName.Data, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file >= 0) {
        for (size_t i = 0; i < kSignalCount; ++i) {
            if (kSignals[i].Number != number)
                continue;
            WriteBytes(file, GHead.Data, GHead.Size);
            WriteText(file, kSignals[i].Name);
            WriteBytes(file, GMiddle.Data, GMiddle.Size);
            WriteBytes(file, GSignalTexts[i].Data, GSignalTexts[i].Size);
            WriteBytes(file, GTail.Data, GTail.Size);
        }
        close(file);
    }
    errno = savedErrno;
    // SA_RESETHAND has restored the default action; the signal stays blocked
    // while the handler runs and ends the program as soon as it returns.
    raise(number);
}

// The error's text of a report line in the form of format (one %1); none
// when the line has another form.
std::optional<QString> TextOfLine(const QString &line, const QString &format)
{
    const qsizetype at = format.indexOf(QStringLiteral("%1"));
    if (at < 0)
        return std::nullopt;
    const QString before = format.left(at);
    const QString after = format.mid(at + 2);
    if (line.size() < before.size() + after.size() || !line.startsWith(before) || !line.endsWith(after))
        return std::nullopt;
    return line.mid(before.size(), line.size() - before.size() - after.size());
}

// The error window's text: what the report says the crash was. The report
// was written in the language of the run that crashed: the line of the
// error's text is looked for in this run's language and in the original one.
QString CrashMessage(const QString &lines)
{
    const QString formats[] = {QCoreApplication::translate("TErrorReport", TErrorReport::kErrorTextLine),
                               QString::fromUtf8(TErrorReport::kErrorTextLine)};
    for (const QString &line : lines.split(QStringLiteral("\r\n")))
        for (const QString &format : formats)
            if (const std::optional<QString> text = TextOfLine(line, format))
                return QCoreApplication::translate("CrashReport",
                                                   "При прошлом запуске программа завершилась аварийно: %1.")
                    .arg(*text);
    return QCoreApplication::translate("CrashReport", "При прошлом запуске программа завершилась аварийно.");
}

} // namespace

namespace CrashReport {

QString DefaultFileName()
{
    return UserDataFolder() + QStringLiteral("/Отчет о сбое.txt");
}

void Install(const QString &fileName)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QString lines = TErrorReport().ReportLines(kClassMark, kTextMark);
    // The signal's text is written whole, translated now: the handler can
    // neither translate nor format.
    for (size_t i = 0; i < kSignalCount; ++i)
        if (!GSignalTexts[i].Assign(QCoreApplication::translate("CrashReport", "%1 (сигнал %2)")
                                        .arg(QCoreApplication::translate("CrashReport", kSignals[i].Text),
                                             QString::number(kSignals[i].Number))
                                        .toUtf8()))
            return;
    const qsizetype classAt = lines.indexOf(kClassMark);
    const qsizetype textAt = lines.indexOf(kTextMark);
    // A file name too long for the prepared buffer gets no report rather
    // than one in the wrong place.
    if (!GFileName.Assign(QFile::encodeName(fileName)) || !GHead.Assign(lines.left(classAt).toUtf8()) ||
        !GMiddle.Assign(lines.mid(classAt + 1, textAt - classAt - 1).toUtf8()) ||
        !GTail.Assign(lines.mid(textAt + 1).toUtf8()))
        return;

    stack_t stack{};
    stack.ss_sp = GSignalStack;
    stack.ss_size = sizeof GSignalStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    for (const TSignalText &signal : kSignals)
        sigaddset(&action.sa_mask, signal.Number);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (const TSignalText &signal : kSignals)
        sigaction(signal.Number, &action, nullptr);
}

bool Offer(QWidget *parent, const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!file.exists())
        return false;
    const QDateTime time = file.lastModified();
    QByteArray bytes;
    try {
        bytes = ReadFileBounded(fileName, kMaxReportSize);
    } catch (const EError &) {
        QFile::remove(fileName);
        return false;
    }
    // Offered only once: a report that cannot be removed is not offered.
    if (!QFile::remove(fileName) || bytes.isEmpty())
        return false;
    QString lines = QString::fromUtf8(bytes);
    if (!lines.isEmpty() && !lines.endsWith(QStringLiteral("\r\n")))
        lines += QStringLiteral("\r\n");
    TErrorReport report;
    report.OfferReport(parent, CrashMessage(lines), lines + report.DateLine(time));
    return true;
}

void PostOffer(QWidget &window, const QString &fileName)
{
    QTimer::singleShot(0, &window, [&window, fileName] {
        CommandGuard::RunCommand(&window, [&window, &fileName] { Offer(&window, fileName); });
    });
}

} // namespace CrashReport
