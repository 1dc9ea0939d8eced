#include "codes/BuiltInCodes.h"

#include "base/HexText.h"
#include "codes/CodeSet.h"

#include <cstdint>
#include <string_view>

// The standard keys of a PC keyboard. The make code is the key's code in
// PS/2 scan code set 2, the scan code its code in set 1 as the system reports
// it; an extended key has E0h in front of both. The break code is the make
// code with F0h before its last byte. The few keys that follow no such rule
// carry their codes spelled out.

namespace {

enum TGroup : uint8_t { gLetters, gDigits, gSymbols, gControl, gKeypad, gPower, gMedia, gWeb, gGroupCount };

constexpr std::u16string_view kGroupNames[gGroupCount] = {
    u"Алфавитные английские", u"Цифры",       u"Символы", u"Управляющие клавиши", u"Keypad",
    u"Управление питанием",   u"Мультимедиа", u"WWW",
};

// Codes as hexadecimal byte text.
struct TIrregularCodes {
    std::u16string_view Make;
    std::u16string_view Break;
    std::u16string_view Scan;
};

constexpr TIrregularCodes kPrintScrn{u"E0 12 E0 7C", u"E0 F0 7C E0 F0 12", u"E0 37"};
constexpr TIrregularCodes kPauseBreak{u"E1 14 77 E1 F0 14 F0 77", u"", u"45"};
// The system reports NumLock as an extended key although it sends no E0h.
constexpr TIrregularCodes kNumLock{u"77", u"F0 77", u"E0 45"};

struct TBuiltInKey {
    TGroup Group;
    std::u16string_view Name;
    uint8_t Make;                               // scan code set 2
    uint8_t Scan;                               // scan code set 1
    bool Extended;                              // E0h in front of make, break and scan code
    const TIrregularCodes *Irregular = nullptr; // replaces the three codes
};

constexpr TBuiltInKey kKeys[] = {
    {gLetters, u"A", 0x1C, 0x1E, false},
    {gLetters, u"B", 0x32, 0x30, false},
    {gLetters, u"C", 0x21, 0x2E, false},
    {gLetters, u"D", 0x23, 0x20, false},
    {gLetters, u"E", 0x24, 0x12, false},
    {gLetters, u"F", 0x2B, 0x21, false},
    {gLetters, u"G", 0x34, 0x22, false},
    {gLetters, u"H", 0x33, 0x23, false},
    {gLetters, u"I", 0x43, 0x17, false},
    {gLetters, u"J", 0x3B, 0x24, false},
    {gLetters, u"K", 0x42, 0x25, false},
    {gLetters, u"L", 0x4B, 0x26, false},
    {gLetters, u"M", 0x3A, 0x32, false},
    {gLetters, u"N", 0x31, 0x31, false},
    {gLetters, u"O", 0x44, 0x18, false},
    {gLetters, u"P", 0x4D, 0x19, false},
    {gLetters, u"Q", 0x15, 0x10, false},
    {gLetters, u"R", 0x2D, 0x13, false},
    {gLetters, u"S", 0x1B, 0x1F, false},
    {gLetters, u"T", 0x2C, 0x14, false},
    {gLetters, u"U", 0x3C, 0x16, false},
    {gLetters, u"V", 0x2A, 0x2F, false},
    {gLetters, u"W", 0x1D, 0x11, false},
    {gLetters, u"X", 0x22, 0x2D, false},
    {gLetters, u"Y", 0x35, 0x15, false},
    {gLetters, u"Z", 0x1A, 0x2C, false},

    {gDigits, u"0", 0x45, 0x0B, false},
    {gDigits, u"1", 0x16, 0x02, false},
    {gDigits, u"2", 0x1E, 0x03, false},
    {gDigits, u"3", 0x26, 0x04, false},
    {gDigits, u"4", 0x25, 0x05, false},
    {gDigits, u"5", 0x2E, 0x06, false},
    {gDigits, u"6", 0x36, 0x07, false},
    {gDigits, u"7", 0x3D, 0x08, false},
    {gDigits, u"8", 0x3E, 0x09, false},
    {gDigits, u"9", 0x46, 0x0A, false},

    {gSymbols, u"'", 0x0E, 0x29, false}, // the key left of 1
    {gSymbols, u"-", 0x4E, 0x0C, false},
    {gSymbols, u"=", 0x55, 0x0D, false},
    {gSymbols, u"\\", 0x5D, 0x2B, false},
    {gSymbols, u"[", 0x54, 0x1A, false},
    {gSymbols, u"]", 0x5B, 0x1B, false},
    {gSymbols, u";", 0x4C, 0x27, false},
    {gSymbols, u"'", 0x52, 0x28, false},
    {gSymbols, u",", 0x41, 0x33, false},
    {gSymbols, u".", 0x49, 0x34, false},
    {gSymbols, u"/", 0x4A, 0x35, false},

    {gControl, u"Backspace", 0x66, 0x0E, false},
    {gControl, u"Space", 0x29, 0x39, false},
    {gControl, u"TAB", 0x0D, 0x0F, false},
    {gControl, u"CAPS", 0x58, 0x3A, false},
    {gControl, u"LShift", 0x12, 0x2A, false},
    {gControl, u"RShift", 0x59, 0x36, false},
    {gControl, u"LCtrl", 0x14, 0x1D, false},
    {gControl, u"RCtrl", 0x14, 0x1D, true},
    {gControl, u"LWin", 0x1F, 0x5B, true},
    {gControl, u"LAlt", 0x11, 0x38, false},
    {gControl, u"RWin", 0x27, 0x5C, true},
    {gControl, u"RAlt", 0x11, 0x38, true},
    {gControl, u"APPS", 0x2F, 0x5D, true},
    {gControl, u"ENTER", 0x5A, 0x1C, false},
    {gControl, u"ESC", 0x76, 0x01, false},
    {gControl, u"F1", 0x05, 0x3B, false},
    {gControl, u"F2", 0x06, 0x3C, false},
    {gControl, u"F3", 0x04, 0x3D, false},
    {gControl, u"F4", 0x0C, 0x3E, false},
    {gControl, u"F5", 0x03, 0x3F, false},
    {gControl, u"F6", 0x0B, 0x40, false},
    {gControl, u"F7", 0x83, 0x41, false},
    {gControl, u"F8", 0x0A, 0x42, false},
    {gControl, u"F9", 0x01, 0x43, false},
    {gControl, u"F10", 0x09, 0x44, false},
    {gControl, u"F11", 0x78, 0x57, false},
    {gControl, u"F12", 0x07, 0x58, false},
    {gControl, u"Scroll", 0x7E, 0x46, false},
    {gControl, u"INSERT", 0x70, 0x52, true},
    {gControl, u"HOME", 0x6C, 0x47, true},
    {gControl, u"PageUp", 0x7D, 0x49, true},
    {gControl, u"DELETE", 0x71, 0x53, true},
    {gControl, u"END", 0x69, 0x4F, true},
    {gControl, u"Pagedown", 0x7A, 0x51, true},
    {gControl, u"Up", 0x75, 0x48, true},
    {gControl, u"Down", 0x72, 0x50, true},
    {gControl, u"Left", 0x6B, 0x4B, true},
    {gControl, u"Right", 0x74, 0x4D, true},
    {gControl, u"PrintScrn", 0, 0, false, &kPrintScrn},
    {gControl, u"Pause/Break", 0, 0, false, &kPauseBreak},

    {gKeypad, u"NumLock", 0, 0, false, &kNumLock},
    {gKeypad, u"</>", 0x4A, 0x35, true},
    {gKeypad, u"<*>", 0x7C, 0x37, false},
    {gKeypad, u"<->", 0x7B, 0x4A, false},
    {gKeypad, u"<+>", 0x79, 0x4E, false},
    {gKeypad, u"<Enter>", 0x5A, 0x1C, true},
    {gKeypad, u"<.>", 0x71, 0x53, false},
    {gKeypad, u"<0>", 0x70, 0x52, false},
    {gKeypad, u"<1>", 0x69, 0x4F, false},
    {gKeypad, u"<2>", 0x72, 0x50, false},
    {gKeypad, u"<3>", 0x7A, 0x51, false},
    {gKeypad, u"<4>", 0x6B, 0x4B, false},
    {gKeypad, u"<5>", 0x73, 0x4C, false},
    {gKeypad, u"<6>", 0x74, 0x4D, false},
    {gKeypad, u"<7>", 0x6C, 0x47, false},
    {gKeypad, u"<8>", 0x75, 0x48, false},
    {gKeypad, u"<9>", 0x7D, 0x49, false},

    {gPower, u"Power", 0x37, 0x5E, true},
    {gPower, u"Sleep", 0x3F, 0x5F, true},
    {gPower, u"Wake", 0x5E, 0x63, true},

    {gMedia, u"NextTrack", 0x4D, 0x19, true},
    {gMedia, u"PreviousTrack", 0x15, 0x10, true},
    {gMedia, u"Stop", 0x3B, 0x24, true},
    {gMedia, u"Play/Pause", 0x34, 0x22, true},
    {gMedia, u"Mute", 0x23, 0x20, true},
    {gMedia, u"VolumeUp", 0x32, 0x30, true},
    {gMedia, u"VolumeDown", 0x21, 0x2E, true},
    {gMedia, u"MediaSelect", 0x50, 0x6D, true},
    {gMedia, u"E-Mail", 0x48, 0x6C, true},
    {gMedia, u"Calculator", 0x2B, 0x21, true},
    {gMedia, u"MyComputer", 0x40, 0x6B, true},

    {gWeb, u"WWWSearch", 0x10, 0x65, true},
    {gWeb, u"WWWHome", 0x3A, 0x32, true},
    {gWeb, u"WWWBack", 0x38, 0x6A, true},
    {gWeb, u"WWWForward", 0x30, 0x69, true},
    {gWeb, u"WWWStop", 0x28, 0x68, true},
    {gWeb, u"WWWRefresh", 0x20, 0x67, true},
    {gWeb, u"WWWFavorites", 0x18, 0x66, true},
};

// Each group's keys stand together, the groups in their order.
constexpr bool GroupsInOrder()
{
    for (size_t i = 1; i < std::size(kKeys); ++i)
        if (kKeys[i].Group != kKeys[i - 1].Group && kKeys[i].Group != kKeys[i - 1].Group + 1)
            return false;
    return kKeys[0].Group == 0 && kKeys[std::size(kKeys) - 1].Group == gGroupCount - 1;
}

static_assert(std::size(kKeys) == kBuiltInCodeCount);
static_assert(GroupsInOrder());

QString ToQString(std::u16string_view text)
{
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

QByteArray Bytes(bool extended, uint8_t code)
{
    QByteArray bytes;
    if (extended)
        bytes.append(char(0xE0));
    bytes.append(char(code));
    return bytes;
}

} // namespace

void FillBuiltInCodes(TCodeSet &codeSet)
{
    codeSet.Clear();
    TCodeTable *group = nullptr;
    int groupIndex = -1;
    for (const TBuiltInKey &key : kKeys) {
        if (key.Group != groupIndex) {
            groupIndex = key.Group;
            group = &codeSet.AddGroup(ToQString(kGroupNames[groupIndex]));
        }
        const QString name = ToQString(key.Name);
        if (key.Irregular) {
            const TIrregularCodes &codes = *key.Irregular;
            group->Add(name, HexToBytes(codes.Scan), HexToBytes(codes.Break), HexToBytes(codes.Make));
            continue;
        }
        const QByteArray make = Bytes(key.Extended, key.Make);
        QByteArray breakCode = make;
        breakCode.insert(breakCode.size() - 1, char(0xF0));
        group->Add(name, Bytes(key.Extended, key.Scan), breakCode, make);
    }
}
