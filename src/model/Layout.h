#pragma once

#include "model/Notifier.h"
#include "model/Rect.h"

#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QPainter;
class QRect;
class TKeyboard;
class TKeyGroup;
class TKeyGroups;
class TLayers;
class TMasterKey;
enum TKeyType : uint8_t;

/// The kind of the latest change a layout tells its views.
enum TLayoutChange : uint8_t {
    lcDestroying = 0, ///< the layout is being destroyed
    lcKeysCleared = 1, ///< ClearRange finished
    lcSelection = 2, ///< the selection changed
    lcContent = 3, ///< any other change of content or shape
    lcActivated = 4, ///< the owning window became active
    lcDeactivated = 5, ///< the owning window was deactivated
};

/// Receives the report lines of Check, Find and Replace: a text and a tag
/// (the layout's InstanceNumber).
using TMessageSink = std::function<void(const QString &text, uint32_t tag)>;

/// The layout document: for every layer and key what the key does and sends,
/// the card reader and key lock settings of every layer, and the key groups.
/// It knows nothing of files or windows; it records changes and tells the
/// registered views.
class TLayout {
    Q_DECLARE_TR_FUNCTIONS(TLayout)

public:
    TLayout();
    ~TLayout();
    TLayout(const TLayout &) = delete;
    TLayout &operator=(const TLayout &) = delete;

    const TLayers &Layers() const { return *FLayers; }
    /// The layers for editors; a change made through them reaches the views
    /// only by Notify.
    TLayers &Layers() { return *FLayers; }
    const QString &FileName() const { return FFileName; }
    /// Stores the file name and clears Modified (after a save or load).
    void SetFileName(const QString &fileName);

    /// Returns the identifier of the keyboard description the layout is
    /// shaped for.
    int KeyboardID() const { return FKeyboardID; }
    /// Stores another identifier without reshaping the layout (file readers
    /// take it from the file); notifies lcContent when it differs.
    void SetKeyboardID(int id);
    bool HasKey() const { return FHasKey; }
    bool HasReader() const { return FHasReader; }
    /// Returns the number of keys of the keyboard description.
    int KeyCount() const { return FKeyCount; }
    /// Returns the keyboard program version: major in the high byte, minor
    /// in the low.
    uint16_t Version() const { return FVersion; }
    /// Stores the program version; notifies lcContent when it differs.
    void SetVersion(uint16_t version);
    bool Track1() const { return FTracks[0]; }
    bool Track2() const { return FTracks[1]; }
    bool Track3() const { return FTracks[2]; }
    /// Stores whether the reader has track index (0 to 2); notifies
    /// lcContent when it differs. Other indexes are ignored.
    void SetTrack(int index, bool present);

    int KeyPositions() const { return FKeyPositions; }
    /// Sets the key lock position count (0 to 8) of every layer.
    void SetKeyPositions(int count);
    int Columns() const { return FColumns; }
    /// Stores the column count and marks the document modified when it
    /// differs; raises EError for a count below 1.
    void SetColumns(int count);
    int Rows() const { return FRows; }
    /// Stores the row count and marks the document modified when it differs;
    /// raises EError for a count below 1.
    void SetRows(int count);
    const TKeyGroups &Groups() const { return *FGroups; }
    /// The groups for editors; a change made through them reaches the views
    /// only by Notify.
    TKeyGroups &Groups() { return *FGroups; }
    /// Selected cells in grid coordinates (from 1).
    const TRect &Selection() const { return FSelection; }
    /// Stores a different selection and notifies lcSelection.
    void SetSelection(const TRect &selection);
    TLayoutChange LastChange() const { return FLastChange; }
    TNotifier &Notifier() const { return *FNotifier; }
    /// Number of this layout within the run, from 1; no two layouts share one.
    uint32_t InstanceNumber() const { return FInstanceNumber; }
    TNotifyLinks &Links() const { return *FLinks; }

    int LayerCount() const;
    bool IsModified() const { return FNotifier->Modified(); }
    void ResetModified() { FNotifier->ResetModified(); }

    /// Records the kind, marks the document modified for lcKeysCleared and
    /// lcContent, and tells every view.
    void Notify(TLayoutChange kind);
    void Activate() { Notify(lcActivated); }
    void Deactivate() { Notify(lcDeactivated); }
    /// Registers a view; the caller owns the link and frees it to leave.
    std::unique_ptr<TNotifyLink> AddLink(TNotifyLink::THandler handler, const void *receiver);

    /// Makes this layout a copy of source (shape, file name, selection,
    /// layers with pictures, groups); notifies lcContent.
    void Assign(const TLayout &source);
    void CopyTo(TLayout &target) const { target.Assign(*this); }
    /// Copies every layer's card reader; raises "Различное количество слоев."
    /// when the layer counts differ.
    void AssignReader(const TLayout &source);
    /// Copies every layer's key lock; does nothing when the layer counts differ.
    void AssignKeyLock(const TLayout &source);

    /// Shapes the layout after a keyboard description; all key contents go.
    /// Notifies lcContent.
    void ApplyKeyboard(const TKeyboard &keyboard);
    /// Moves the layout to another description, keeping key contents by
    /// logical number; nothing happens for the description it already has.
    void ChangeKeyboard(const TKeyboard &keyboard);

    bool IsSingleCell() const { return FSelection.IsSingleCell(); }
    /// Returns the area that search, replace and multi-cell operations use:
    /// the whole matrix for a single selected cell, else the selection.
    TRect WorkArea() const;

    /// Clears the keys of a rectangle (grid coordinates) on layer number
    /// layer (0: all layers), or only their pictures in picture mode.
    void ClearRange(const TRect &rect, int layer, bool pictureMode);
    /// Pastes the clipboard layout's selection into this selection: one
    /// source cell fills the selection, a block is cut to fit it.
    void Paste(const TLayout &clipboard, int layer, bool pictureMode);

    /// Makes a group of a rectangle (key coordinates); returns false for one
    /// cell or when the rectangle shares a cell with a group.
    bool Group(const TRect &rect);
    /// Frees every group that shares a cell with the rectangle.
    void Ungroup(const TRect &rect);
    bool HasGroupIn(const TRect &rect) const;
    /// Returns the first group holding the cell (from 0), or null.
    const TKeyGroup *GroupAt(int col, int row) const;

    /// Sets the key type of a cell (from 0) on every layer.
    void SetKeyTypeAll(int col, int row, TKeyType keyType);
    /// Empties the codes of every key that is not a macro key.
    void ClearNonMacroCodes();

    /// Fills the master from the selected keys of its layer.
    void LoadMaster(TMasterKey &master) const;
    /// Writes the values changed in the master into the selected keys.
    void ApplyMaster(TMasterKey &master, bool pictureMode);

    /// Reports faulty code sequences (at most 11 lines); returns true when
    /// there is none.
    bool Check(const TMessageSink &sink) const;
    /// Reports the sequences of the work area whose text holds text (letter
    /// case ignored) on layer number layer (0: all); returns the line count.
    int Find(const QString &text, int layer, const TMessageSink &sink) const;
    /// Replaces text by replacement in the sequences of the work area;
    /// returns the number of replacements. Every rewrite is checked first:
    /// when one would pass 255 bytes, "Длина скан-кодов не может превышать
    /// 255 байт." is raised and nothing changes.
    int Replace(const QString &text, const QString &replacement, int layer);
    /// Selects the key a report line names; returns false when it names none.
    bool GotoLine(const QString &line);

    // The forms of the report lines that name a key, in the language of the
    // user interface. Check, Find and the comparison of layouts write their
    // lines with them, and GotoLine reads the key back with the same forms.
    /// "[Ошибка(%1)] Слой %2. Клавиша (%3,%4). %5. %6": error number, layer,
    /// row, column, sequence, fault.
    static QString CheckLineFormat();
    /// "[Поиск] Слой %1. Клавиша (%2,%3). %4. Строка %5 найдена.": layer,
    /// row, column, sequence, the sequence's text.
    static QString FindLineFormat();
    /// "[Сравнение] Слой %1. Клавиша (%2,%3). %4: \"%5\" -> \"%6\"": layer,
    /// row, column, what differs, the two values.
    static QString CompareLineFormat();

    /// Draws the key caps of a layer, the first by default, (backgrounds,
    /// images, texts) as a grid of cells of cellWidth x cellHeight in at most
    /// two bands, and the key groups as boxes below it, inside bounds (canvas
    /// units; its width decides how many columns fit the first band). gapX
    /// and gapY separate the group boxes and the bands. Draws nothing for a
    /// layer the layout does not have. Raises "Клавиша с координатами (%d,
    /// %d) не найдена." for a group whose top-left cell has no key.
    void Draw(QPainter &canvas, int cellWidth, const QRect &bounds, int gapY, int gapX, int cellHeight,
              int layerIndex = 0) const;

private:
    /// ApplyKeyboard without the notification, for a caller that notifies
    /// once it is done.
    void ApplyShape(const TKeyboard &keyboard);
    // The file formats load into a scratch copy and take its content.
    friend class TLayoutFormat;
    /// Makes this layout what source is, as Assign does, by taking source's
    /// object trees instead of copying them; source is left with this
    /// layout's old trees and is to be discarded.
    void TakeContent(TLayout &source);
    /// Copies the file name, shape, model fields and selection of source.
    void AssignFields(const TLayout &source);

    // The notifier comes first: every model object is created with it.
    std::unique_ptr<TNotifier> FNotifier;
    std::unique_ptr<TNotifyLinks> FLinks;
    std::unique_ptr<TLayers> FLayers;
    QString FFileName;
    int FKeyboardID = 0;
    bool FHasKey = false;
    bool FHasReader = false;
    int FKeyCount = 0;
    uint16_t FVersion = 0x020A;
    std::array<bool, 3> FTracks{};
    int FKeyPositions = 0;
    int FColumns = 0;
    int FRows = 0;
    std::unique_ptr<TKeyGroups> FGroups;
    TRect FSelection{1, 1, 1, 1};
    TLayoutChange FLastChange = lcDestroying;
    uint32_t FInstanceNumber;
};
