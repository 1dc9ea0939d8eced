#pragma once

#include "model/Layout.h"
#include "model/Rect.h"
#include "settings/ViewMode.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QUndoStack;
class TKeyboardManager;
class TMasterKey;
class TNotifyLink;

/// One open layout and everything the windows change in it. The document
/// owns the layout, its file name, the format it was read or last saved in
/// and its undo stack; every edit a window makes is one method here, which
/// pushes one step named after the user's command. Widgets read the layout
/// through Layout() and never call its setters. The document is modified
/// exactly when its stack is away from the step it was opened or last saved
/// at.
class TLayoutDocument : public QObject {
    Q_OBJECT

public:
    /// Creates an empty layout shaped after the settings' default keyboard
    /// model, unmodified.
    explicit TLayoutDocument(TKeyboardManager &manager, QObject *parent = nullptr);
    ~TLayoutDocument() override;

    /// The undo stack holds at most this many steps.
    static constexpr int kUndoLimit = 100;

    /// Returns the layout for reading.
    const TLayout &Layout() const { return *FLayout; }
    TKeyboardManager &Manager() const { return FManager; }
    /// Returns the steps of the edits; undoing and redoing them goes through
    /// the stack itself.
    QUndoStack &UndoStack() const { return *FStack; }

    /// Returns the full name of the file the layout was read from or saved
    /// to, empty for a new one.
    QString FileName() const { return FLayout->FileName(); }
    /// Returns the save registry's index of the format Save writes.
    int SaveIndex() const;
    /// Returns whether the layout differs from its file (or is not from a
    /// file at all, when read from the keyboard).
    bool IsModified() const;
    /// Returns whether the layout has no file yet or is modified.
    bool NeedsSaving() const { return FileName().isEmpty() || IsModified(); }

    /// Reads a file with the open registry's format at openIndex; the
    /// layout stays as it was when reading fails. The steps of the layout
    /// before go.
    void Open(const QString &path, int openIndex);
    /// Writes the file the layout has, in the format it was read or last
    /// saved in (a device image is written as an image again, in the form of
    /// the layout's program version). Raises EError without a file name.
    void Save();
    /// Writes the layout to path with the save registry's format at
    /// saveIndex and remembers both.
    void SaveAs(const QString &path, int saveIndex);
    /// Makes the layout a copy of one read from the keyboard: it keeps no
    /// file name, no steps and counts as modified.
    void AssignFrom(const TLayout &source);
    /// Writes the layout into the keyboard through the keyboard manager and
    /// takes over the keyboard's program version it reports; the lines of
    /// the check before writing carry this layout's number.
    void WriteToKeyboard();
    /// Gives the layout a keyboard program version (major in the high byte).
    void SetProgramVersion(uint16_t version);

    // The edits below push one step each, unless they change nothing.

    /// Selects a rectangle of cells (grid coordinates, from 1).
    void SetSelection(const TRect &selection);
    /// Selects every key cell.
    void SelectAll();
    /// Returns the selection as clipboard text (the layout as XML).
    QString Copy() const;
    /// Returns the selection as clipboard text and clears it on the shown
    /// layer (0: all), only the pictures in the picture view (mode 1).
    QString Cut(int shownLayer, TViewMode viewMode);
    /// Reads clipboard text as a layout and pastes its selection into this
    /// selection. Text that is no layout raises the reader's error and
    /// changes nothing.
    void Paste(const QString &xml, int shownLayer, TViewMode viewMode);
    /// Clears the selected keys on the shown layer, or their pictures in the
    /// picture view.
    void Clear(int shownLayer, TViewMode viewMode);
    /// Groups the selection; returns false (and changes nothing) when it is
    /// one cell or overlaps a group.
    bool Group();
    /// Frees the groups in the selection.
    void Ungroup();
    /// Returns whether a group lies in the selection.
    bool HasGroupInSelection() const;
    /// Replaces text in the key sequences of the work area on the shown
    /// layer; returns the number of replacements.
    int Replace(const QString &from, const QString &to, int shownLayer);
    /// Moves the layout to the keyboard model with the identifier.
    void ChangeKeyboard(int keyboardId);
    /// Shapes a new layout after the keyboard model with the identifier; it
    /// counts as unmodified and has no steps.
    void StartNew(int keyboardId);
    /// Selects the key a report line names; returns false when it names none.
    bool GotoLine(const QString &line);
    /// Writes the values changed in master into the selected keys (picture
    /// properties only in the picture view).
    void ApplyMaster(TMasterKey &master, bool pictureMode);

    // Edits of the card reader, key lock and picture windows.

    /// Copies the card reader settings of every layer from a layout with the
    /// same layers (the card reader dialog's working copy).
    void SetCardReaders(const TLayout &readers);
    /// Copies the key lock settings of every layer from a layout with the
    /// same layers (the key lock dialog's working copy).
    void SetKeyLocks(const TLayout &keyLocks);

    // Key edits of the key dialog.

    /// A property of keys the key dialog changes.
    enum class TKeyField { Type, MakeCodes, BreakCodes, AutoRepeat, Remark, Melody };
    /// Fills master from the selected keys on its layer (master.Layer, from
    /// 0): the values all of them share. A load ends the typing that the
    /// next ChangeKeys could merge with.
    void LoadKeys(TMasterKey &master);
    /// Gives the selected keys on layer (from 0) one property, taken from
    /// values: keys of a layer-switching type take it on every layer. The
    /// property is written even when a key has it already, so that clearing
    /// a field clears it in keys whose values differed. Changes of one field
    /// merge into one step until another selection is made or the keys are
    /// loaded again.
    void ChangeKeys(int layer, TKeyField field, const TMasterKey &values);

    /// Tells the layout's views that its window became active or inactive.
    void Activate();
    void Deactivate();

signals:
    /// Re-emits every notification of the layout (a TLayoutChange).
    void changed(int kind);
    /// The file name changed (open, save as, a layout read from the keyboard).
    void fileNameChanged(const QString &fileName);
    /// IsModified changed: an edit, an undo or redo, a save.
    void modifiedChanged(bool modified);

private:
    /// Runs edit, which changes keys in area (grid coordinates) on any
    /// layer, and pushes a step named name for the keys it changed; a step
    /// with a field (not -1) merges with the next one of the same field.
    void EditKeys(const QString &name, const TRect &area, const std::function<void()> &edit, int field = -1);
    /// Forgets every step; the layout counts as saved when clean.
    void ResetSteps(bool clean);

    TKeyboardManager &FManager;
    std::unique_ptr<TLayout> FLayout;
    std::unique_ptr<TNotifyLink> FLink;
    QUndoStack *FStack;
    // Key steps merge only within one epoch; a new selection or a load of
    // the key dialog begins the next.
    int FEpoch = 0;
    // Save index of the last Save As; an image read from a file is written
    // back as an image instead.
    int FSaveIndex = 0;
    bool FImageFile = false;
};
