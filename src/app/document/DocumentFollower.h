#pragma once

#include <QObject>

class TDocumentWindows;
class TfmDoc;

/// The base of the command objects that follow the document windows: Follow
/// connects the three hooks to the document list, the same way for every
/// command object. Tests call the hooks directly.
class TDocumentFollower : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// Follows the windows documents creates and activates from now on.
    void Follow(TDocumentWindows &documents);

    /// A document window was created (before it is shown): the place to
    /// take its requests. The base does nothing.
    virtual void DocumentCreated(TfmDoc &document);
    /// Another document window, or none (null), became the active one. The
    /// base does nothing.
    virtual void ActiveChanged(TfmDoc *active);
};
