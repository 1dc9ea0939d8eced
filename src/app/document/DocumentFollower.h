#pragma once

#include <QObject>
#include <QPointer>

class TDocumentWindows;
class TfmDoc;

/// The base of the command objects that follow the document windows: Follow
/// connects its hooks to the document list, the same way for every command
/// object,
/// and it keeps the active window for them. Tests that have no document list
/// call DocumentCreated and SetActive themselves.
class TDocumentFollower : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// Follows the windows documents creates and activates from now on.
    void Follow(TDocumentWindows &documents);
    /// Takes active as the active document window (null: none) and tells
    /// ActiveChanged.
    void SetActive(TfmDoc *active);

    /// A document window was created (before it is shown): the place to
    /// watch it (its undo stack, its picture commands). The base does
    /// nothing.
    virtual void DocumentCreated(TfmDoc &document);

protected:
    /// Another document window, or none (null), became the active one. The
    /// base does nothing.
    virtual void ActiveChanged(TfmDoc *active);
    /// Something of the active document that commands depend on changed
    /// (selection, content, modified state); also after ActiveChanged. The
    /// base does nothing.
    virtual void ActiveStateChanged();
    /// Returns the active document window, or null.
    TfmDoc *Active() const;
    /// Returns the active document window; raises "Нет активного документа"
    /// without one.
    TfmDoc &ActiveOrFail() const;
    /// Returns the document list followed; raises a program fault before
    /// Follow.
    TDocumentWindows &Documents() const;

private:
    QPointer<TfmDoc> FActive;
    TDocumentWindows *FDocuments = nullptr;
};
