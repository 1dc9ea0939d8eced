#pragma once

#include "files/LayoutFormat.h"

#include <QString>
#include <cstdint>
#include <functional>

class TBinStream;
class TKey;
class TKeyLock;
class TMSR;
class TNotes;
class TScanCodes;

/// The layout image of keyboard program 2.8, as the keyboard keeps it in its
/// memory and as ".bin" files hold it, and the base of the other image forms.
///
/// The image starts with the trailer offset S and one table offset per layer.
/// A layer's table holds K + 2 words (K is the MaxKeysNum of the layout's
/// model): the record offset of the key with logical number 1 .. K (0xFFFF
/// for none), then the offsets of the card reader and the key lock records.
/// The records follow the tables; the trailer at S holds the form's marker,
/// a checksum, the image length, the layout version, the key groups and the
/// model. All words are little-endian; no offset may exceed 0xFFFF.
///
/// The reader reads every image form (2.8, 2.9, 2.10, 1.3): the marker tells
/// the trailer apart and bit 6 of each flags byte the form of the code lists.
class TBinLayout28 : public TLayoutFormat {
public:
    TBinLayout28(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка Ravlin (программа 2.8) (*.bin)|*.bin".
    QString GetFilter() const override;
    /// Returns "bin28".
    QString ShortName() const override;
    /// Returns "bin".
    QString DefaultSuffix() const override;
    /// Builds the image with WriteImage and writes all of it; nothing is
    /// written when building fails.
    void SaveToStream(const TLayout &layout, QIODevice &stream) override;
    /// Reads an image of any form from the start of the stream: the trailer
    /// moves the layout to its model, then the records fill keys, readers and
    /// key locks, and relative layer keys are restored. Raises
    /// EFileFormatError for every fault of the image (an empty one included)
    /// and the catalogue's message for an unknown model.
    void LoadFromStream(TLayout &layout, QIODevice &stream) override;

    /// Returns the byte every flags byte starts from: 0x40 (bit 6: code lists
    /// of the byte form).
    virtual uint8_t CodeFormFlag() const;
    /// Builds the whole image into stream (emptied first). Raises the
    /// catalogue's message for an unknown model, and refuses layouts the
    /// image cannot hold (an image of 65536 bytes or more, a melody of more
    /// than 255 notes, a group count or coordinate beyond a byte).
    virtual void WriteImage(const TLayout &layout, TBinStream &stream);
    /// Appends one code list of the byte form: the byte count, then the
    /// sequence's bytes.
    virtual void WriteCodes(const TScanCodes &codes, TBinStream &stream);
    /// Appends the record of a key of layer layerIndex (from 0): flags, make
    /// and break codes (a single 0 byte each for a layer key) and melody.
    virtual void WriteKey(const TKey &key, int layerIndex, TBinStream &stream);
    /// Appends the card reader record of layer layerIndex of layout: flags,
    /// prefix and suffix of every track the model has, melody.
    void WriteMSR(const TLayout &layout, int layerIndex, TBinStream &stream);
    /// Appends the key lock record of layer layerIndex: flags, codes and
    /// melody of every position (none for a lock without positions).
    void WriteKeyLock(const TKeyLock &keyLock, int layerIndex, TBinStream &stream);

protected:
    /// The table word of a key without a record.
    static constexpr uint16_t kNoRecord = 0xFFFF;
    // Bits of the flags bytes. Keys and key lock positions: a layer switch
    // (target layer index in bits 1-2), temporary (keys) or keyboard lock
    // (positions), auto-repeat (keys). Card reader: tracks 1 to 3 enabled in
    // bits 0-2, stop on error, send Enter, light indication. All records:
    // code lists of the byte form.
    static constexpr uint8_t kLayerSwitchFlag = 0x01;
    static constexpr uint8_t kTemporaryFlag = 0x08;
    static constexpr uint8_t kLockedFlag = 0x08;
    static constexpr uint8_t kAutoRepeatFlag = 0x10;
    static constexpr uint8_t kStopOnErrorFlag = 0x10;
    static constexpr uint8_t kSendEnterFlag = 0x20;
    static constexpr uint8_t kByteFormFlag = 0x40;
    static constexpr uint8_t kLightIndicationFlag = 0x80;

    /// What the trailer of an image form holds besides the groups.
    struct TTrailerForm {
        /// Word at S that names the form.
        uint16_t Marker;
        /// Whether the checksum follows the marker and the layout version
        /// follows the length word.
        bool HasChecksum;
        /// Subtracted from the layout's KeyboardID to give the model byte.
        int ModelBase;
    };

    /// Returns K, the number of key words of each table: the MaxKeysNum of
    /// the layout's model. Raises the catalogue's message for an unknown one.
    int TableKeyCount(const TLayout &layout) const;
    /// Builds the whole image of a form into stream (emptied first) from a
    /// copy of the layout shaped after its model, as the reader will shape
    /// the layout it reads into: the model's layers (keys matched by logical
    /// number), key lock positions and reader tracks. The layout itself is
    /// not touched.
    void WriteShapedImage(const TLayout &layout, const TTrailerForm &form, TBinStream &stream);

private:
    /// Empties stream and writes the offset S, the tables and all records;
    /// the stream then ends at S.
    void WriteTablesAndRecords(const TLayout &layout, TBinStream &stream);
    /// Appends the trailer of a form and stores the final image length in it.
    void WriteTrailer(const TLayout &layout, const TTrailerForm &form, TBinStream &stream);
    void WriteLayerTable(const TLayout &layout, int layerIndex, qsizetype table, int keyWords,
                         TBinStream &stream);
    /// Writes a melody; refusal gives the message about one too long, naming
    /// whose melody it is, from its note count, and is called only then.
    static void WriteMelody(const TNotes &melody, const std::function<QString(int)> &refusal,
                            TBinStream &stream);

    void ReadTrailer(TLayout &layout, qsizetype trailer, uint16_t marker, TBinStream &image) const;
    static void ReadLayer(TLayout &layout, int layerIndex, int keyWords, TBinStream &image);
    static void ReadKey(TKey &key, TBinStream &image);
    static void ReadCodes(TScanCodes &codes, bool byteForm, TBinStream &image);
    static void ReadMelody(TNotes &melody, TBinStream &image);
    static void ReadMSR(const TLayout &layout, TMSR &msr, TBinStream &image);
    static void ReadKeyLock(TKeyLock &keyLock, TBinStream &image);
    static void RestoreRelativeLayerKeys(TLayout &layout);
};
