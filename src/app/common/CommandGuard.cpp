#include "common/CommandGuard.h"

#include "base/Error.h"

#include <QApplication>
#include <QMessageBox>
#include <new>

namespace CommandGuard {

namespace {

TFaultHandler &FaultHandler()
{
    static TFaultHandler handler;
    return handler;
}

QString Title(const QString &caption)
{
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

} // namespace

void SetFaultHandler(TFaultHandler handler)
{
    FaultHandler() = std::move(handler);
}

QString FaultText(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Недостаточно памяти для выполнения операции.");
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Неизвестная ошибка программы.");
    }
}

bool RunCommand(QWidget *parent, const std::function<void()> &command, const QString &caption)
{
    try {
        command();
        return true;
    } catch (const EAbort &) {
    } catch (const EError &e) {
        QMessageBox::critical(parent, Title(caption), e.Message());
    } catch (...) {
        const QString text = FaultText(std::current_exception());
        const TFaultHandler &handler = FaultHandler();
        if (!handler || !handler(parent, text))
            QMessageBox::critical(parent, Title(caption), text);
    }
    return false;
}

} // namespace CommandGuard
