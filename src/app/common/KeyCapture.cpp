#include "common/KeyCapture.h"

#include "model/ScanCodes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

namespace {

#if !defined(Q_OS_WIN)
// X11 and Wayland number keys as the Linux input codes plus 8.
constexpr uint32_t kXKeycodeOffset = 8;
// Linux input codes up to this one (F12) are the set 1 scan codes of the
// same keys, except NumLock.
constexpr uint32_t kLastPlainCode = 88;
constexpr uint32_t kNumLockCode = 69;

struct TExtendedKey {
    uint32_t InputCode;
    uint8_t ScanByte;
    bool Extended;
};

// The keys whose Linux input code differs from their scan code. Windows
// reports NumLock as the extended 45h and Pause as the plain 45h; the code
// table expects them so.
constexpr TExtendedKey kExtendedKeys[] = {
    {69, 0x45, true},   // NumLock
    {96, 0x1C, true},   // keypad Enter
    {97, 0x1D, true},   // right Ctrl
    {98, 0x35, true},   // keypad /
    {99, 0x37, true},   // Print Screen
    {100, 0x38, true},  // right Alt
    {102, 0x47, true},  // Home
    {103, 0x48, true},  // Up
    {104, 0x49, true},  // Page Up
    {105, 0x4B, true},  // Left
    {106, 0x4D, true},  // Right
    {107, 0x4F, true},  // End
    {108, 0x50, true},  // Down
    {109, 0x51, true},  // Page Down
    {110, 0x52, true},  // Insert
    {111, 0x53, true},  // Delete
    {113, 0x20, true},  // Mute
    {114, 0x2E, true},  // Volume Down
    {115, 0x30, true},  // Volume Up
    {116, 0x5E, true},  // Power
    {119, 0x45, false}, // Pause
    {125, 0x5B, true},  // left Windows
    {126, 0x5C, true},  // right Windows
    {127, 0x5D, true},  // Menu
    {128, 0x68, true},  // browser Stop
    {140, 0x21, true},  // Calculator
    {142, 0x5F, true},  // Sleep
    {143, 0x63, true},  // Wake
    {155, 0x6C, true},  // Mail
    {156, 0x66, true},  // Favorites
    {157, 0x6B, true},  // My Computer
    {158, 0x6A, true},  // browser Back
    {159, 0x69, true},  // browser Forward
    {163, 0x19, true},  // Next Track
    {164, 0x22, true},  // Play/Pause
    {165, 0x10, true},  // Previous Track
    {166, 0x24, true},  // media Stop
    {172, 0x32, true},  // browser Home
    {173, 0x67, true},  // browser Refresh
    {217, 0x65, true},  // browser Search
    {226, 0x6D, true},  // Media Select
};
#endif

} // namespace

bool ScanCodeFromNative(uint32_t nativeScanCode, uint8_t &scanByte, bool &extended)
{
#if defined(Q_OS_WIN)
    scanByte = uint8_t(nativeScanCode & 0xFFu);
    extended = (nativeScanCode & 0x100u) != 0;
    return scanByte != 0;
#else
    if (nativeScanCode <= kXKeycodeOffset)
        return false;
    const uint32_t inputCode = nativeScanCode - kXKeycodeOffset;
    if (inputCode <= kLastPlainCode && inputCode != kNumLockCode) {
        scanByte = uint8_t(inputCode);
        extended = false;
        return true;
    }
    for (const TExtendedKey &key : kExtendedKeys)
        if (key.InputCode == inputCode) {
            scanByte = key.ScanByte;
            extended = key.Extended;
            return true;
        }
    return false;
#endif
}

TKeyMessage KeyMessageFromEvent(const QKeyEvent &event)
{
    TKeyMessage message;
    const bool press = event.type() == QEvent::KeyPress;
    if (!press && event.type() != QEvent::KeyRelease)
        return message;
    if (!press && event.isAutoRepeat())
        return message;
    uint8_t scanByte = 0;
    bool extended = false;
    ScanCodeFromNative(event.nativeScanCode(), scanByte, extended);
    message.Kind = press ? TKeyMessageKind::KeyDown : TKeyMessageKind::KeyUp;
    message.KeyData = TKeyMessage::MakeKeyData(scanByte, extended, 1, press && event.isAutoRepeat());
    return message;
}

TKeyHook::TKeyHook(THandler handler, QObject *parent) : QObject(parent), FHandler(std::move(handler)) {}

TKeyHook::~TKeyHook()
{
    Remove();
}

void TKeyHook::Install()
{
    if (FInstalled)
        return;
    QCoreApplication::instance()->installEventFilter(this);
    FInstalled = true;
}

void TKeyHook::Remove()
{
    if (!FInstalled)
        return;
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
    FInstalled = false;
}

bool TKeyHook::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepted, the key comes as a key press instead of firing a shortcut.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A keystroke reaches its window first, then the focus widget and its
        // parents: taking it at the window hears it once.
        if (!watched->isWindowType())
            return false;
        return FHandler(KeyMessageFromEvent(*static_cast<QKeyEvent *>(event)));
    default:
        return false;
    }
}

bool THeardKeys::Heard(const TScanCode &key)
{
    if (key.CodeType == ctMake) {
        FDown.insert(key.ScanCode);
        return true;
    }
    return FDown.remove(key.ScanCode);
}
