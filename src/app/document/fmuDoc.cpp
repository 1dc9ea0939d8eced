#include "document/fmuDoc.h"

#include "device/KeyboardManager.h"
#include "document/LayoutDocument.h"
#include "settings/SettingsManager.h"

#include <QCloseEvent>

TfmDoc::TfmDoc(TKeyboardManager &manager, TMessageLink &messages, QWidget *parent)
    : TBaseForm(manager.Settings().Font(), parent), FDocument(std::make_unique<TLayoutDocument>(manager)),
      FManager(manager), FMessages(messages)
{
}

TfmDoc::~TfmDoc() = default;

int TfmDoc::ShownLayer() const { return 0; }
void TfmDoc::SetShownLayer(int) {}
int TfmDoc::ViewMode() const { return 0; }
void TfmDoc::SetViewMode(int) {}
void TfmDoc::SelectAll() { FDocument->SelectAll(); }
void TfmDoc::Cut() {}
void TfmDoc::Copy() {}
void TfmDoc::Paste() {}
void TfmDoc::Clear() {}
void TfmDoc::Group() {}
void TfmDoc::Ungroup() {}
bool TfmDoc::CanPaste() const { return false; }
bool TfmDoc::CanGroup() const { return false; }
bool TfmDoc::CanUngroup() const { return false; }
bool TfmDoc::NeedsSaving() const { return FDocument->NeedsSaving(); }
void TfmDoc::Find(const QString &) {}
void TfmDoc::Replace(const QString &, const QString &) {}
void TfmDoc::Check() {}
void TfmDoc::Print(QPrinter &) {}
bool TfmDoc::GoToMessage(const QString &) { return false; }
bool TfmDoc::SaveForClose() { return true; }
void TfmDoc::closeEvent(QCloseEvent *event) { event->accept(); }
void TfmDoc::resizeEvent(QResizeEvent *event) { TBaseForm::resizeEvent(event); }
void TfmDoc::changeEvent(QEvent *event) { TBaseForm::changeEvent(event); }
