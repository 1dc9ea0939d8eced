#include "document/DocumentWindows.h"

#include "base/Error.h"
#include "common/SubWindowKeys.h"
#include "device/KeyboardManager.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "settings/SettingsManager.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>

TDocumentWindows::TDocumentWindows(TKeyboardManager &manager, TMessageLink &messages, QMdiArea &area,
                                   QObject *parent)
    : QObject(parent), FManager(manager), FMessages(messages), FArea(area)
{
    connect(&FArea, &QMdiArea::subWindowActivated, this, &TDocumentWindows::Update);
}

void TDocumentWindows::Update()
{
    TfmDoc *active = Active();
    // A closed active window leaves FActive null: that is a change too.
    if (active != FActive || (!active && FHadActive)) {
        FActive = active;
        FHadActive = active != nullptr;
        emit activeChanged(active);
    }
    emit activeStateChanged();
}

TfmDoc *TDocumentWindows::Create(const QString &caption)
{
    auto *document = new TfmDoc(FManager, FMessages);
    document->SetUntitledCaption(caption.isEmpty() ? tr("Раскладка%1").arg(++FRunningNumber) : caption);
    document->UseCommands(FCommands);
    Watch(document);
    document->SetViewMode(FManager.Settings().ViewMode());
    emit created(document);
    return document;
}

void TDocumentWindows::Watch(TfmDoc *document)
{
    connect(&document->Document(), &TLayoutDocument::changed, this, [this](int kind) {
        switch (kind) {
        case lcKeysCleared:
        case lcSelection:
        case lcContent:
        case lcActivated:
        case lcDeactivated:
        case lcDestroying:
            Update();
            break;
        default:
            break;
        }
    });
    // A step is pushed after the layout told its views of the edit.
    connect(&document->Document(), &TLayoutDocument::modifiedChanged, this, &TDocumentWindows::Update);
    // A closed window leaves the area only after its close event: the states
    // follow once it is gone.
    connect(document, &QObject::destroyed, this, &TDocumentWindows::Update, Qt::QueuedConnection);
}

void TDocumentWindows::Show(TfmDoc *document)
{
    const int open = int(All().size());
    QMdiSubWindow *frame = FArea.addSubWindow(document);
    ReleaseSubWindowCloseKey(*frame);
    const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    const QPoint place(30 * open, open * step);
    // The frame around the document: what the sub-window adds to its widget.
    const QSize border = frame->sizeHint() - document->sizeHint();
    const QSize wanted = document->PreferredSize() + border.expandedTo(QSize(0, 0));
    const QRect room = FArea.viewport()->rect();
    if (room.contains(QRect(QPoint(), wanted))) {
        // Cascaded after the others where it fits there, else at the top left.
        frame->setGeometry(QRect(room.contains(QRect(place, wanted)) ? place : QPoint(), wanted));
        frame->show();
    } else {
        // A grid larger than the area: maximised, the area scrolls to the
        // rest.
        frame->showMaximized();
    }
    FArea.setActiveSubWindow(frame);
    Update();
}

TfmDoc *TDocumentWindows::Active() const
{
    QMdiSubWindow *frame = FArea.currentSubWindow();
    return frame ? qobject_cast<TfmDoc *>(frame->widget()) : nullptr;
}

TfmDoc &TDocumentWindows::ActiveOrFail() const
{
    TfmDoc *document = Active();
    if (!document)
        throw EError(tr("Нет активного документа"));
    return *document;
}

QList<TfmDoc *> TDocumentWindows::All() const
{
    QList<TfmDoc *> documents;
    for (QMdiSubWindow *frame : FArea.subWindowList(QMdiArea::CreationOrder))
        if (auto *document = qobject_cast<TfmDoc *>(frame->widget()))
            documents << document;
    return documents;
}

TfmDoc *TDocumentWindows::OpenedFrom(const QString &fileName) const
{
    const QString wanted = QFileInfo(fileName).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (TfmDoc *document : All()) {
        const QString own = document->Document().FileName();
        if (!own.isEmpty() && QFileInfo(own).canonicalFilePath() == wanted)
            return document;
    }
    return nullptr;
}

void TDocumentWindows::Activate(TfmDoc *document)
{
    QMdiSubWindow *frame = Frame(document);
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->showNormal();
    FArea.setActiveSubWindow(frame);
    frame->raise();
}

QMdiSubWindow *TDocumentWindows::Frame(const TfmDoc *document) const
{
    for (QMdiSubWindow *frame : FArea.subWindowList())
        if (frame->widget() == document)
            return frame;
    return nullptr;
}

bool TDocumentWindows::CloseAll()
{
    QList<QMdiSubWindow *> frames = FArea.subWindowList(QMdiArea::CreationOrder);
    for (qsizetype i = frames.size() - 1; i >= 0; --i) {
        QPointer<QMdiSubWindow> frame = frames[i];
        if (frame && !frame->close())
            return false;
    }
    return true;
}

void TDocumentWindows::GoToMessage(const QString &text, int tag)
{
    for (TfmDoc *document : All()) {
        if (int(document->Document().Layout().InstanceNumber()) != tag)
            continue;
        if (document->GoToMessage(text))
            Activate(document);
        return;
    }
}
