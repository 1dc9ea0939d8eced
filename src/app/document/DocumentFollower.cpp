#include "document/DocumentFollower.h"

#include "base/Error.h"
#include "document/DocumentWindows.h"
#include "document/fmuDoc.h"

#include <stdexcept>

void TDocumentFollower::Follow(TDocumentWindows &documents)
{
    FDocuments = &documents;
    connect(&documents, &TDocumentWindows::created, this, [this](TfmDoc *document) { DocumentCreated(*document); });
    connect(&documents, &TDocumentWindows::activeChanged, this, &TDocumentFollower::SetActive);
    connect(&documents, &TDocumentWindows::activeStateChanged, this, &TDocumentFollower::ActiveStateChanged);
}

void TDocumentFollower::SetActive(TfmDoc *active)
{
    FActive = active;
    ActiveChanged(active);
}

void TDocumentFollower::DocumentCreated(TfmDoc &) {}

void TDocumentFollower::ActiveChanged(TfmDoc *) {}

void TDocumentFollower::ActiveStateChanged() {}

TfmDoc *TDocumentFollower::Active() const
{
    return FActive;
}

TfmDoc &TDocumentFollower::ActiveOrFail() const
{
    if (!FActive)
        throw EError(tr("Нет активного документа"));
    return *FActive;
}

TDocumentWindows &TDocumentFollower::Documents() const
{
    if (!FDocuments)
        throw std::logic_error("the command object follows no document list");
    return *FDocuments;
}
