#include "model/Font.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <limits>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t(a) * b;
    const int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const uint64_t num = uint64_t(product < 0 ? -product : product);
    const uint64_t den = uint64_t(divisor < 0 ? -divisor : divisor);
    const uint64_t quotient = (num + den / 2) / den;
    if (quotient > uint64_t(std::numeric_limits<int>::max()))
        return -1;
    return negative ? -int(quotient) : int(quotient);
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int value)
{
    FHeight = -MulDiv(value, FPixelsPerInch, 72);
}

QFont TFont::ToQFont() const
{
    QFont font(FName);
    // Qt knows only the character height; the cell height is taken for it.
    const int64_t pixels = std::llabs(int64_t(FHeight));
    if (pixels > 0)
        font.setPixelSize(int(std::min<int64_t>(pixels, 0x7FFF)));
    font.setBold(FStyle & fsBold);
    font.setItalic(FStyle & fsItalic);
    font.setUnderline(FStyle & fsUnderline);
    font.setStrikeOut(FStyle & fsStrikeOut);
    return font;
}

QColor ColorToQColor(uint32_t color)
{
    // The usual defaults of the system colours, by index (0 scroll bar, 5
    // window, 15 button face, 24 tool tip background ...).
    static constexpr uint32_t kSystemColors[] = {
        0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
        0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
        0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};
    if (color & 0x80000000u) {
        const uint32_t index = color & 0xFF;
        const uint32_t rgb = index < std::size(kSystemColors) ? kSystemColors[index] : 0;
        return QColor(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
