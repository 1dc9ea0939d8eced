#pragma once

#include "model/Font.h"
#include "model/Graphic.h"
#include "model/Notifier.h"

#include <QString>
#include <cstdint>

/// The picture drawn on a key: a text with its font, a background colour, a
/// text orientation and an optional graphic. Besides IsChanged (any change)
/// it keeps one flag per property, so that the multi-key editor can tell
/// which of them the user changed.
class TKeyPicture : public TNotifyObject {
public:
    explicit TKeyPicture(TNotifier *notifier = nullptr);

    const QString &Text() const { return FText; }
    /// Stores the text and marks it changed, only when it differs.
    void SetText(const QString &value);
    const TFont &Font() const { return FFont; }
    /// Stores the font and marks it changed.
    void SetFont(const TFont &value);
    /// Returns the graphic; an empty one when there is none.
    const TGraphic &Picture() const { return FPicture; }
    /// Stores the graphic and marks it changed; raises "Размер изображения не
    /// может превышать 256 КБ." and keeps the old one when the new one has
    /// more than kMaxGraphicSize bytes.
    void SetPicture(const TGraphic &value);
    /// Returns the cell background as 00BBGGRRh.
    uint32_t BackgroundColor() const { return FBackgroundColor; }
    /// Stores the background colour and marks it changed.
    void SetBackgroundColor(uint32_t value);
    /// Returns 0 for horizontal text, anything else for vertical text.
    uint8_t TextOrientation() const { return FTextOrientation; }
    /// Stores the orientation and marks it changed.
    void SetTextOrientation(uint8_t value);

    bool FontChanged() const { return FFontChanged; }
    bool TextChanged() const { return FTextChanged; }
    bool ColorChanged() const { return FColorChanged; }
    bool OrientationChanged() const { return FOrientationChanged; }
    bool GraphicChanged() const { return FGraphicChanged; }
    /// Clears IsChanged and the five property flags.
    void ResetFlags();

    /// Empties graphic and text, background white, orientation 0; the font
    /// stays. Marks changed.
    void Clear();
    /// Returns whether a graphic is present and not empty.
    bool HasGraphic() const { return !FPicture.IsEmpty(); }
    /// Copies text, graphic, font, orientation and background colour through
    /// the setters.
    void Assign(const TKeyPicture &source);

    /// Returns the object stream of the graphic as hexadecimal text, two
    /// upper-case digits per byte.
    QString PictureData() const;
    /// Reads the graphic from hexadecimal text written by PictureData; a
    /// graphic that results is made transparent. A stream that holds no valid
    /// graphic leaves the picture without one; text without hexadecimal
    /// digits leaves the graphic as it was.
    void SetPictureData(QStringView hexText);

private:
    void StorePicture(const TGraphic &value);

    QString FText;
    TFont FFont;
    TGraphic FPicture;
    uint32_t FBackgroundColor = 0xFFFFFF;
    uint8_t FTextOrientation = 0;
    bool FFontChanged = false;
    bool FTextChanged = false;
    bool FColorChanged = false;
    bool FOrientationChanged = false;
    bool FGraphicChanged = false;
};
