#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

/// The style bits of a font, as the layout file stores them.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

/// The font of a key picture's text. Size in points and Height in pixels are
/// two views of one value: Height is stored, Size follows from it and the
/// pixels per inch. A negative Height is the character height, a positive one
/// the cell height.
class TFont {
public:
    const QString &Name() const { return FName; }
    void SetName(const QString &value) { FName = value; }

    /// Returns the size in points: -Height * 72 / PixelsPerInch, rounded.
    int Size() const;
    /// Sets Height to -Size * PixelsPerInch / 72, rounded.
    void SetSize(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    /// Returns the resolution Size converts with; setting it keeps Height.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }

    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t value) { FCharset = value; }
    /// Returns the colour as 00BBGGRRh; the high bit marks a system colour.
    uint32_t Color() const { return FColor; }
    void SetColor(uint32_t value) { FColor = value; }
    /// Returns the style bits (TFontStyle).
    uint8_t Style() const { return FStyle; }
    void SetStyle(uint8_t value) { FStyle = value; }

    bool operator==(const TFont &other) const = default;

    /// Returns the Qt font to draw with: family, pixel size |Height| and the
    /// style bits.
    QFont ToQFont() const;

private:
    QString FName = QStringLiteral("Tahoma");
    int FHeight = -11;
    int FPixelsPerInch = 96;
    uint8_t FCharset = 1;
    uint32_t FColor = 0;
    uint8_t FStyle = 0;
};

/// Returns a * b / c rounded half away from zero, or -1 when c is 0 or the
/// result does not fit 32 bits.
int MulDiv(int a, int b, int c);

/// Returns the Qt colour of a 00BBGGRRh colour value; a value with the high
/// bit set names a system colour by its low byte and gets its usual default.
QColor ColorToQColor(uint32_t color);
