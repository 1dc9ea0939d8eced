#include "common/CommandGuard.h"

#include "base/Error.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <new>
#include <typeinfo>

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

QString Demangled(const std::type_info *type)
{
    if (!type)
        return QStringLiteral("unknown");
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                            &std::free);
    return QString::fromLatin1(status == 0 && name ? name.get() : type->name());
}

} // namespace

void SetFaultHandler(TFaultHandler handler)
{
    FaultHandler() = std::move(handler);
}

bool IsFault(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EConvertError &) {
        return true;
    } catch (const EError &) {
        return false;
    } catch (const EAbort &) {
        return false;
    } catch (...) {
        return true;
    }
}

QString FaultClassName(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (...) {
        return Demangled(abi::__cxa_current_exception_type());
    }
}

QString FaultText(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EError &e) {
        return e.Message();
    } catch (const std::bad_alloc &) {
        return QCoreApplication::translate("CommandGuard", "Недостаточно памяти для выполнения операции.");
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QCoreApplication::translate("CommandGuard", "Неизвестная ошибка программы.");
    }
}

bool RunCommand(QWidget *parent, const std::function<void()> &command, const QString &caption)
{
    try {
        command();
        return true;
    } catch (const EAbort &) {
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        const TFaultHandler &handler = FaultHandler();
        if (!IsFault(error) || !handler || !handler(parent, error))
            QMessageBox::critical(parent, Title(caption), FaultText(error));
    }
    return false;
}

} // namespace CommandGuard
