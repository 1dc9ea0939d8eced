#pragma once

#include <cstdint>

/// The kind of a keyboard message of the window system.
enum class TKeyMessageKind : uint8_t { KeyDown, SysKeyDown, KeyUp, SysKeyUp, Other };

/// A keyboard message as the window system delivers it, without the window
/// system: its kind and its key data word.
struct TKeyMessage {
    TKeyMessageKind Kind = TKeyMessageKind::Other;
    /// Bits 0-15 repeat count, 16-23 scan code (set 1), 24 extended key,
    /// 30 key already down before this message.
    uint32_t KeyData = 0;

    /// Returns the repeat count.
    int RepeatCount() const { return int(KeyData & 0xFFFFu); }
    /// Returns the scan code byte.
    uint8_t ScanByte() const { return uint8_t((KeyData >> 16) & 0xFFu); }
    /// Returns whether the key is one of the extended keys (E0h prefix).
    bool IsExtended() const { return (KeyData & (1u << 24)) != 0; }
    /// Returns whether the key was down before this message.
    bool WasDown() const { return (KeyData & (1u << 30)) != 0; }
    /// Returns whether the message is a key down or system key down.
    bool IsPress() const { return Kind == TKeyMessageKind::KeyDown || Kind == TKeyMessageKind::SysKeyDown; }
    /// Returns whether the message is a key up or system key up.
    bool IsRelease() const { return Kind == TKeyMessageKind::KeyUp || Kind == TKeyMessageKind::SysKeyUp; }

    /// Returns the key data word of the given parts.
    static constexpr uint32_t MakeKeyData(uint8_t scanByte, bool extended, int repeatCount = 1,
                                          bool wasDown = false)
    {
        return (uint32_t(repeatCount) & 0xFFFFu) | (uint32_t(scanByte) << 16) | (extended ? 1u << 24 : 0u) |
               (wasDown ? 1u << 30 : 0u);
    }
};

/// Which key messages a key capture takes.
enum TKeyCapture : int { kcPresses = 0, kcReleases = 1, kcBoth = 2 };
