#include "document/fmuDoc.h"

#include "common/CommandGuard.h"
#include "common/ToolbarIcons.h"
#include "device/KeyboardManager.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "model/Key.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Room the window keeps around the grid beyond its lines and header cells,
// at the normal zoom.
constexpr int kHeaderSize = 25;
constexpr int kMinColumnWidth = 50;
constexpr int kMinRowHeight = 25;
constexpr int kExtraHeight = 30;
// The widest cell a window opens with, in average characters: longer code
// lines end in an ellipsis and show whole in their tooltip.
constexpr int kMaxOpeningColumnChars = 24;

} // namespace

TfmDoc::TfmDoc(TKeyboardManager &manager, TMessageLink &messages, QWidget *parent)
    : TBaseForm(manager.Settings().Font(), parent), FDocument(std::make_unique<TLayoutDocument>(manager)),
      FManager(manager), FMessages(messages)
{
    setObjectName(QStringLiteral("fmDoc"));
    UpdateCaption(QString());

    CreateToolBar();
    FGrid = new TKeyGrid(this);
    FGrid->setObjectName(QStringLiteral("KeyGrid"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FToolBar);
    layout->addWidget(FGrid, 1);
    CreateMenus();
    CreateZoomActions();

    connect(FDocument.get(), &TLayoutDocument::changed, this, &TfmDoc::OnLayoutChanged);
    connect(FDocument.get(), &TLayoutDocument::fileNameChanged, this, &TfmDoc::UpdateCaption);
    connect(FDocument.get(), &TLayoutDocument::modifiedChanged, this, [this] { setWindowModified(FDocument->IsModified()); });
    connect(FGrid, &TStringGrid2::selectionChanged, this, &TfmDoc::OnGridSelection);
    connect(FGrid, &TStringGrid2::cellActivated, this, [this] { Run([this] { EditKey(); }); });
    connect(FGrid, &TStringGrid2::deletePressed, this, [this] { Run([this] { Clear(); }); });
    connect(FGrid, &TStringGrid2::contextMenuWanted, this, &TfmDoc::ShowContextMenu);
    connect(FGrid, &TStringGrid2::viewResized, this, &TfmDoc::SizeCells);
    connect(FGrid, &TStringGrid2::zoomWheeled, this,
            [this](int steps) { Run([this, steps] { SetZoom(TKeyGrid::StepZoom(Zoom(), steps)); }); });

    FGrid->SetLayout(&FDocument->Layout());
    FGrid->SetSelection(FDocument->Layout().Selection());
    SetViewMode(manager.Settings().ViewMode());
    RebuildGrid();
    UpdateToolBar();
    setFocusProxy(FGrid);
}

TfmDoc::~TfmDoc() = default;

void TfmDoc::Run(const std::function<void()> &command)
{
    CommandGuard::RunCommand(this, command);
}

void TfmDoc::CreateToolBar()
{
    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(QStringLiteral("tbDoc"));
    FToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FToolBar->setIconSize(QSize(16, 16));
    auto add = [this](const QString &text, const QString &name, const QString &icon,
                      const std::function<void()> &command) {
        QAction *action = FToolBar->addAction(ToolbarIcon(icon), text, this, [this, command] { Run(command); });
        action->setObjectName(name);
        return action;
    };
    FKeyAction =
        add(tr("Клавиша"), QStringLiteral("acKey"), QStringLiteral("key-properties"), [this] { EditKey(); });
    FReaderAction = add(tr("Считыватель"), QStringLiteral("acReader"), QStringLiteral("card-reader"),
                        [this] { RunMainCommand(u"actEditCardReader"); });
    FKeyLockAction = add(tr("Ключ"), QStringLiteral("acKeyLock"), QStringLiteral("key-lock"),
                         [this] { RunMainCommand(u"actEditKeyLock"); });
    FLayoutAction = add(tr("Раскладка"), QStringLiteral("acLayout"), QStringLiteral("layout-properties"),
                        [this] { RunMainCommand(u"actLayoutProperties"); });
    FCheckAction = add(tr("Проверить"), QStringLiteral("acCheck"), QStringLiteral("check"),
                       [this] { RunMainCommand(u"actEditCheck"); });
    FCheckAction->setToolTip(tr("Проверить раскладку"));
    // F9 checks wherever the focus is in this window (the grid above all),
    // not only on its toolbar.
    FCheckAction->setShortcut(Qt::Key_F9);
    FCheckAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(FCheckAction);
}

int TfmDoc::ShownLayer() const
{
    return FGrid->ShownLayer();
}

void TfmDoc::SetShownLayer(int layer)
{
    FGrid->SetShownLayer(layer);
}

TViewMode TfmDoc::ViewMode() const
{
    return FGrid->ViewMode();
}

void TfmDoc::SetViewMode(TViewMode mode)
{
    FGrid->SetViewMode(ToViewMode(mode));
    ApplyZoom(FManager.Settings().Zoom(ViewMode()));
}

int TfmDoc::Zoom() const
{
    return FGrid->Zoom();
}

void TfmDoc::SetZoom(int percent)
{
    TSettingsManager &settings = FManager.Settings();
    settings.SetZoom(ViewMode(), percent);
    // One zoom per view mode: every window showing this mode follows.
    const int zoom = settings.Zoom(ViewMode());
    for (QWidget *widget : QApplication::allWidgets())
        if (auto *window = qobject_cast<TfmDoc *>(widget);
            window && &window->FManager == &FManager && window->ViewMode() == ViewMode())
            window->ApplyZoom(zoom);
}

void TfmDoc::ZoomIn()
{
    SetZoom(TKeyGrid::StepZoom(Zoom(), 1));
}

void TfmDoc::ZoomOut()
{
    SetZoom(TKeyGrid::StepZoom(Zoom(), -1));
}

void TfmDoc::ResetZoom()
{
    SetZoom(TKeyGrid::kNormalZoom);
}

void TfmDoc::ApplyZoom(int percent)
{
    FGrid->SetZoom(percent);
    SizeCells();
    FGrid->ScrollToCell(FGrid->Col(), FGrid->Row());
    emit zoomChanged(FGrid->Zoom());
}

int TfmDoc::Zoomed(int size) const
{
    return int(std::lround(size * FGrid->Zoom() / 100.0));
}

void TfmDoc::UseCommands(const TActionRegistry &commands)
{
    FCommands = commands;
}

void TfmDoc::RunMainCommand(QStringView name)
{
    // A button of a window that is not the active one acts on this window:
    // it becomes the active one first.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()); frame && frame->mdiArea())
        frame->mdiArea()->setActiveSubWindow(frame);
    if (FCommands.Contains(name))
        FCommands.Action(name)->trigger();
}

void TfmDoc::EditKey()
{
    RunMainCommand(u"actEditKey");
    FGrid->update();
}

void TfmDoc::OnLayoutChanged(int kind)
{
    // The marks of a comparison last until the next edit.
    if (kind == lcKeysCleared || kind == lcContent)
        FGrid->SetMarkedCells({});
    if (kind == lcKeysCleared || kind == lcSelection || kind == lcContent) {
        FGrid->SetSelection(FDocument->Layout().Selection());
        RebuildGrid();
        FGrid->ScrollToCell(FGrid->Col(), FGrid->Row());
        FGrid->update();
    }
    UpdateToolBar();
}

void TfmDoc::OnGridSelection()
{
    Run([this] { FDocument->SetSelection(FGrid->Selection()); });
}

void TfmDoc::UpdateToolBar()
{
    FKeyLockAction->setEnabled(FDocument->Layout().HasKey());
    FReaderAction->setEnabled(FDocument->Layout().HasReader());
}

void TfmDoc::SetUntitledCaption(const QString &caption)
{
    FUntitledCaption = caption;
    UpdateCaption(FDocument->FileName());
}

void TfmDoc::UpdateCaption(const QString &fileName)
{
    FCaption = fileName.isEmpty() ? FUntitledCaption : QFileInfo(fileName).absoluteFilePath();
    // "[*]" shows as "*" while the layout has unsaved changes.
    setWindowTitle(FCaption + QStringLiteral("[*]"));
}

void TfmDoc::RebuildGrid()
{
    FBuilding = true;
    const int columns = FDocument->Layout().Columns();
    const int rows = FDocument->Layout().Rows();
    const int line = FGrid->GridLineWidth();
    const QSize minimum(line * (columns + 1 + 3) + (columns + 1) * kMinColumnWidth + kHeaderSize,
                        line * (rows + 1 + 3) + (rows + 1) * kMinRowHeight + FToolBar->sizeHint().height()
                            + kExtraHeight);
    setMinimumSize(minimum);
    if (width() < minimum.width() || height() < minimum.height())
        resize(size().expandedTo(minimum));
    FGrid->Rebuild();
    FBuilding = false;
    SizeCells();
}

QSize TfmDoc::MinimumCellSize() const
{
    int height = Zoomed(kMinRowHeight);
    if (ViewMode() != vmPicture) {
        const int lineHeight = QFontMetrics(FGrid->font()).boundingRect(QStringLiteral("999")).height();
        height = std::max(height, lineHeight * std::max(1, FDocument->Layout().LayerCount()) + 2);
    }
    return QSize(Zoomed(kMinColumnWidth), height);
}

void TfmDoc::SizeCells()
{
    if (FBuilding)
        return;
    const int line = FGrid->GridLineWidth();
    const int cols = FGrid->ColCount() - 1;
    const int rows = FGrid->RowCount() - 1;
    const int header = Zoomed(kHeaderSize);
    const QSize least = MinimumCellSize();
    const QSize view = FGrid->ViewSizeFor(QSize(header + line * (cols + 1) + cols * least.width(),
                                                header + line * (rows + 1) + rows * least.height()));
    // The key cells share the room, three lines short of the grid's edge;
    // the last one takes what division leaves. Where the room is short of
    // their minimum they keep it and the grid scrolls.
    const auto share = [header](int room, int count, int minimum) {
        std::vector<int> sizes(size_t(count) + 1, minimum);
        sizes[0] = header;
        if (count > 0 && room >= minimum * count) {
            const int each = room / count;
            std::fill(sizes.begin() + 1, sizes.end(), each);
            sizes.back() = room - each * (count - 1);
        }
        return sizes;
    };
    FGrid->SetCellSizes(share(view.width() - (line * (cols + 4) + header), cols, least.width()),
                        share(view.height() - (line * (rows + 4) + header), rows, least.height()));
}

QSize TfmDoc::PreferredSize() const
{
    const TLayout &layout = FDocument->Layout();
    const QFontMetrics metrics(FGrid->font());
    const QSize least = MinimumCellSize();
    const int widest = std::max(least.width(), metrics.averageCharWidth() * kMaxOpeningColumnChars);
    // Measuring a text lays it out: texts that cannot be wider than the
    // widest so far are passed over, and a text as wide as a column may
    // open ends the search.
    int textWidth = 0;
    for (int i = 0; i < layout.LayerCount() && textWidth + 6 < widest; ++i) {
        const TKeys &keys = layout.Layers().Item(i).Keys();
        for (int k = 0; k < keys.Count() && textWidth + 6 < widest; ++k) {
            const QString text = FGrid->KeyText(keys.Item(k));
            if (text.size() * metrics.maxWidth() > textWidth)
                textWidth = std::max(textWidth, metrics.horizontalAdvance(text));
        }
    }
    const int columnWidth = std::clamp(textWidth + 6, least.width(), widest);
    const int lineHeight = metrics.boundingRect(QStringLiteral("999")).height();
    const int rowHeight = std::max(least.height(), lineHeight * std::max(1, layout.LayerCount()) + 4);
    const int line = FGrid->GridLineWidth();
    const int columns = layout.Columns();
    const int rows = layout.Rows();
    const int header = Zoomed(kHeaderSize);
    const QSize wanted(line * (columns + 4) + header + columns * columnWidth,
                       line * (rows + 4) + header + rows * rowHeight + FToolBar->sizeHint().height());
    // Wide enough for the window's toolbar, whose last buttons would
    // otherwise hide behind its overflow arrow.
    return wanted.expandedTo(minimumSize()).expandedTo(QSize(FToolBar->sizeHint().width(), 0));
}

void TfmDoc::changeEvent(QEvent *event)
{
    TBaseForm::changeEvent(event);
    // Inside the main window the sub-window tells activation; a window of
    // its own hears it directly.
    if (event->type() == QEvent::ParentChange) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            connect(frame, &QMdiSubWindow::windowStateChanged, this, &TfmDoc::OnFrameStateChanged,
                    Qt::UniqueConnection);
    } else if (event->type() == QEvent::ActivationChange && isWindow()) {
        OnActiveChanged(isActiveWindow());
    }
}

void TfmDoc::OnFrameStateChanged(Qt::WindowStates before, Qt::WindowStates now)
{
    if ((before & Qt::WindowActive) != (now & Qt::WindowActive))
        OnActiveChanged(now & Qt::WindowActive);
}

void TfmDoc::OnActiveChanged(bool active)
{
    Run([this, active] {
        if (active)
            FDocument->Activate();
        else
            FDocument->Deactivate();
    });
}

void TfmDoc::closeEvent(QCloseEvent *event)
{
    if (!FDocument->IsModified()) {
        event->accept();
        return;
    }
    QMessageBox box(QMessageBox::Question, tr("Внимание"),
                    tr("Раскладка [%1] была изменена. Сохранить?").arg(Caption()),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (box.exec()) {
    case QMessageBox::Yes: {
        // A save that fails or whose dialog is cancelled keeps the window
        // open with its changes.
        bool saved = false;
        CommandGuard::RunCommand(this, [this, &saved] { saved = SaveForClose(); });
        event->setAccepted(saved);
        return;
    }
    case QMessageBox::No:
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}
