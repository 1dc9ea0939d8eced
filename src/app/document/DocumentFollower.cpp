#include "document/DocumentFollower.h"

#include "document/DocumentWindows.h"
#include "document/fmuDoc.h"

void TDocumentFollower::Follow(TDocumentWindows &documents)
{
    connect(&documents, &TDocumentWindows::created, this, [this](TfmDoc *document) { DocumentCreated(*document); });
    connect(&documents, &TDocumentWindows::activeChanged, this, &TDocumentFollower::ActiveChanged);
}

void TDocumentFollower::DocumentCreated(TfmDoc &) {}

void TDocumentFollower::ActiveChanged(TfmDoc *) {}
