#pragma once

#include <QByteArray>
#include <memory>

class TKeyboards;
class TLayout;

/// Returns the file bytes of a small PNG image (class "TPngImage").
QByteArray SamplePng();
/// Returns the file bytes of a small bitmap (class "TBitmap").
QByteArray SampleBitmap();

/// What MakeRichLayout fills besides codes, types, repeat, melodies, reader
/// and key lock; formats that do not store a record leave it out.
struct TRichLayoutOptions {
    /// Key pictures (text, font, colours, orientation, graphics).
    bool Pictures = true;
    /// Key remarks.
    bool Remarks = true;
    /// Two key groups.
    bool Groups = true;
};

/// Returns a layout shaped after the model keyboardId of the catalogue with
/// every record filled on every layer: macro keys with make and break codes,
/// layer keys, repeat, remarks with markup characters, melodies, pictures
/// with and without graphics, the card reader's flags, tracks and melody,
/// the key lock's positions (when the model has them), two groups and a
/// selection of several cells. Only macro keys carry codes and every font
/// height survives the size conversion, so that a file format that stores
/// the whole layout gives it back unchanged. Raises the catalogue's message
/// for an unknown identifier.
std::unique_ptr<TLayout> MakeRichLayout(const TKeyboards &keyboards, int keyboardId,
                                        const TRichLayoutOptions &options = {});
