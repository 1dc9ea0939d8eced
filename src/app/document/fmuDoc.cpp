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
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Room the window keeps around the grid beyond its lines and header cells.
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

    connect(FDocument.get(), &TLayoutDocument::changed, this, &TfmDoc::OnLayoutChanged);
    connect(FDocument.get(), &TLayoutDocument::fileNameChanged, this, &TfmDoc::UpdateCaption);
    connect(FDocument.get(), &TLayoutDocument::modifiedChanged, this, [this] { setWindowModified(FDocument->IsModified()); });
    connect(FGrid, &TStringGrid2::selectionChanged, this, &TfmDoc::OnGridSelection);
    connect(FGrid, &TStringGrid2::cellActivated, this, [this] { Run([this] { EditKey(); }); });
    connect(FGrid, &TStringGrid2::deletePressed, this, [this] { Run([this] { Clear(); }); });
    connect(FGrid, &TStringGrid2::contextMenuWanted, this, &TfmDoc::ShowContextMenu);

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
    FKeyAction = add(QStringLiteral("Клавиша"), QStringLiteral("acKey"), QStringLiteral("key-properties"),
                     [this] { EditKey(); });
    FReaderAction = add(QStringLiteral("Считыватель"), QStringLiteral("acReader"), QStringLiteral("card-reader"),
                        [this] { emit cardReaderRequested(); });
    FKeyLockAction = add(QStringLiteral("Ключ"), QStringLiteral("acKeyLock"), QStringLiteral("key-lock"),
                         [this] { emit keyLockRequested(); });
    FLayoutAction = add(QStringLiteral("Раскладка"), QStringLiteral("acLayout"), QStringLiteral("layout-properties"),
                        [this] { emit layoutPropertiesRequested(); });
    FCheckAction =
        add(QStringLiteral("Проверить"), QStringLiteral("acCheck"), QStringLiteral("check"), [this] { Check(); });
    FCheckAction->setToolTip(QStringLiteral("Проверить раскладку"));
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

int TfmDoc::ViewMode() const
{
    return FGrid->ViewMode();
}

void TfmDoc::SetViewMode(int mode)
{
    FGrid->SetViewMode(mode == vmPicture || mode == vmSimplified ? mode : vmLayout);
}

void TfmDoc::EditKey()
{
    emit editKeyRequested();
    FGrid->update();
}

void TfmDoc::OnLayoutChanged(int kind)
{
    if (kind == lcKeysCleared || kind == lcSelection || kind == lcContent) {
        FGrid->SetSelection(FDocument->Layout().Selection());
        RebuildGrid();
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
    FGrid->SetColWidth(0, kHeaderSize);
    FGrid->SetRowHeight(0, kHeaderSize);
    FBuilding = false;
    SizeCells();
}

void TfmDoc::SizeCells()
{
    if (FBuilding)
        return;
    const int line = FGrid->GridLineWidth();
    const int cols = FGrid->ColCount();
    const int rows = FGrid->RowCount();
    // The key cells share the room; the last one takes what division leaves.
    if (cols > 1) {
        const int room = width() - (line * (cols + 3) + kHeaderSize);
        const int each = room / (cols - 1);
        for (int c = 1; c <= cols - 2; ++c)
            FGrid->SetColWidth(c, each);
        FGrid->SetColWidth(cols - 1, room - each * (cols - 2));
    }
    if (rows >= 2) {
        const int room = height() - (line * (rows + 3) + FToolBar->sizeHint().height() + kHeaderSize);
        const int each = room / (rows - 1);
        for (int r = 1; r <= rows - 2; ++r)
            FGrid->SetRowHeight(r, each);
        FGrid->SetRowHeight(rows - 1, room - each * (rows - 2));
    }
}

QSize TfmDoc::PreferredSize() const
{
    const TLayout &layout = FDocument->Layout();
    const QFontMetrics metrics(FGrid->font());
    int textWidth = 0;
    for (int i = 0; i < layout.LayerCount(); ++i) {
        const TKeys &keys = layout.Layers().Item(i).Keys();
        for (int k = 0; k < keys.Count(); ++k)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(FGrid->KeyText(keys.Item(k))));
    }
    const int columnWidth =
        std::clamp(textWidth + 6, kMinColumnWidth, metrics.averageCharWidth() * kMaxOpeningColumnChars);
    const int lineHeight = metrics.boundingRect(QStringLiteral("999")).height();
    const int rowHeight = std::max(kMinRowHeight, lineHeight * std::max(1, layout.LayerCount()) + 4);
    const int line = FGrid->GridLineWidth();
    const int columns = layout.Columns();
    const int rows = layout.Rows();
    const QSize wanted(line * (columns + 4) + kHeaderSize + columns * columnWidth,
                       line * (rows + 4) + kHeaderSize + rows * rowHeight + FToolBar->sizeHint().height());
    // Wide enough for the window's toolbar, whose last buttons would
    // otherwise hide behind its overflow arrow.
    return wanted.expandedTo(minimumSize()).expandedTo(QSize(FToolBar->sizeHint().width(), 0));
}

void TfmDoc::resizeEvent(QResizeEvent *event)
{
    TBaseForm::resizeEvent(event);
    SizeCells();
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
    QMessageBox box(QMessageBox::Question, QStringLiteral("Внимание"),
                    QStringLiteral("Раскладка [%1] была изменена. Сохранить?").arg(Caption()),
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
