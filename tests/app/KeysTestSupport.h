#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

// X11 key codes (evdev + 8) of the PC keyboard keys the tests press.
namespace X11Key {
constexpr quint32 Escape = 9;
constexpr quint32 Tab = 23;
constexpr quint32 Enter = 36;
constexpr quint32 A = 38;
constexpr quint32 LShift = 50;
constexpr quint32 RCtrl = 105;
} // namespace X11Key

// Delivers a keystroke as the window system does: to the window, which
// passes it on to its focus widget.
inline void SendKey(QWidget &window, QEvent::Type type, quint32 nativeCode, Qt::Key key = Qt::Key_unknown,
                    const QString &text = QString())
{
    QKeyEvent event(type, key, Qt::NoModifier, nativeCode, 0, 0, text);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
}

// Answers every message box with its first button and records each one as
// "caption|text|icon".
class TBoxRecorder {
public:
    TBoxRecorder() : FTimer(std::make_unique<QTimer>())
    {
        FTimer->setInterval(10);
        QObject::connect(FTimer.get(), &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            Boxes << box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
            box->buttons().first()->click();
        });
        FTimer->start();
    }
    QStringList Boxes;

private:
    std::unique_ptr<QTimer> FTimer;
};

// Runs action once the next modal dialog of type T is shown, then lets the
// caller's exec go on.
template <typename T> void WhenModal(const std::function<void(T &)> &action)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(*dialog);
    });
    timer->start();
}
