#pragma once

#include "codes/KeyMessage.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <cstdint>
#include <functional>

class QKeyEvent;
class TScanCode;

/// Returns the scan code (set 1) of a key as the window system reports it in
/// a Qt key event's native scan code, and whether it is an extended key (E0h
/// prefix): on X11 and Wayland the native code is the Linux input code plus 8;
/// on Windows it is the scan byte with the extended flag in bit 8. Returns
/// false for codes no PC keyboard key has (and for 0, which synthetic events
/// carry).
bool ScanCodeFromNative(uint32_t nativeScanCode, uint8_t &scanByte, bool &extended);

/// Returns the key message of a key press or release, as CodeForKeyMessage
/// takes it: a first press is a key down with repeat count 1, a release a key
/// up; an automatic repeat's press has the "was down" bit, so that captures
/// skip it. The release X11 sends before every repeated press is no release
/// of the key and gives TKeyMessageKind::Other. Other events give Other too.
TKeyMessage KeyMessageFromEvent(const QKeyEvent &event);

/// Hears every key press and release of the application while it is
/// installed, as the window system's key message, before any window sees
/// it. The handler returns true to mark a message handled: the key then
/// reaches no widget. While installed, shortcuts do not fire, so that every
/// keystroke comes to the handler. The code recorder and the key test window
/// use it; removing it (or destroying it) gives the keys back to the windows.
class TKeyHook : public QObject {
    Q_OBJECT
public:
    using THandler = std::function<bool(const TKeyMessage &message)>;

    explicit TKeyHook(THandler handler, QObject *parent = nullptr);
    ~TKeyHook() override;

    /// Starts hearing keys; installing twice is the same as once.
    void Install();
    /// Stops hearing keys.
    void Remove();
    /// Returns whether the hook is installed.
    bool IsInstalled() const { return FInstalled; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    THandler FHandler;
    bool FInstalled = false;
};

/// The keystrokes a capture heard whole. The window system sends a key's
/// release to the window that has the focus when the key comes up: the key
/// that opened a capturing window, closed the window before it or a box over
/// it comes up there, a release without its press.
class THeardKeys {
public:
    /// Notes a press or release of key (its make or break item) and returns
    /// whether the keystroke was heard whole so far: false for a release
    /// whose press was not heard.
    bool Heard(const TScanCode &key);
    /// Forgets the keys that are down.
    void Clear() { FDown.clear(); }

private:
    QSet<QByteArray> FDown;
};
