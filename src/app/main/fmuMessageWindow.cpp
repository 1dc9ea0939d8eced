#include "main/fmuMessageWindow.h"

#include "base/SafeFile.h"
#include "base/Win1251.h"
#include "common/CommandGuard.h"
#include "common/FileDialogs.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMainWindow>
#include <QShowEvent>

namespace {

// Share of the main window's height the docked window takes when it has no
// height of its own.
constexpr int kDefaultHeightShare = 5;
// Heights below this count as none remembered.
constexpr int kLeastDockHeight = 2;
// A floating window shown the first time covers this share of the main
// window's width.
constexpr int kFloatingWidthShare = 2;

} // namespace

TfmMessageWindow::TfmMessageWindow(QWidget *parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("fmMessageWindow"));
    setWindowTitle(tr("Сообщения"));
    setAllowedAreas(Qt::BottomDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);

    lbMessages = new QListWidget(this);
    lbMessages->setObjectName(QStringLiteral("lbMessages"));
    lbMessages->setSelectionMode(QAbstractItemView::SingleSelection);
    lbMessages->setContextMenuPolicy(Qt::ActionsContextMenu);
    setWidget(lbMessages);

    pmiGoTo = new QAction(tr("Перейти к клавише"), lbMessages);
    pmiGoTo->setObjectName(QStringLiteral("pmiGoTo"));
    // The menu shows Ctrl+V; the list takes it (and Enter) as its own key
    // while it has the focus, so that the main window's "Вставить" keeps
    // Ctrl+V everywhere else, the window docked or floating.
    pmiGoTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    pmiGoTo->setShortcutContext(Qt::WidgetShortcut);
    lbMessages->installEventFilter(this);
    pmiClear = new QAction(tr("Очистить"), lbMessages);
    pmiClear->setObjectName(QStringLiteral("pmiClear"));
    pmiSave = new QAction(tr("Сохранить..."), lbMessages);
    pmiSave->setObjectName(QStringLiteral("pmiSave"));
    lbMessages->addActions({pmiGoTo, pmiClear, pmiSave});

    connect(pmiGoTo, &QAction::triggered, this,
            [this] { CommandGuard::RunCommand(this, [this] { pmiGoToClick(); }); });
    connect(lbMessages, &QListWidget::itemDoubleClicked, this,
            [this] { CommandGuard::RunCommand(this, [this] { pmiGoToClick(); }); });
    connect(pmiClear, &QAction::triggered, this,
            [this] { CommandGuard::RunCommand(this, [this] { ClearMessages(); }); });
    connect(pmiSave, &QAction::triggered, this,
            [this] { CommandGuard::RunCommand(this, [this] { pmiSaveClick(); }); });
    connect(this, &QDockWidget::topLevelChanged, this, &TfmMessageWindow::DockedChanged);
}

void TfmMessageWindow::ClearMessages()
{
    lbMessages->clear();
}

void TfmMessageWindow::AddMessage(const QString &text, int tag)
{
    auto *item = new QListWidgetItem(text, lbMessages);
    item->setData(Qt::UserRole, tag);
}

void TfmMessageWindow::ShowMessages()
{
    if (isFloating() && !FPlaced)
        PlaceFloating();
    show();
    if (isFloating())
        raise();
}

int TfmMessageWindow::Count() const
{
    return lbMessages->count();
}

QString TfmMessageWindow::Text(int index) const
{
    return lbMessages->item(index)->text();
}

int TfmMessageWindow::Tag(int index) const
{
    return lbMessages->item(index)->data(Qt::UserRole).toInt();
}

void TfmMessageWindow::Restore(QMainWindow *mainWindow, bool docked, int height)
{
    FMainWindow = mainWindow;
    mainWindow->addDockWidget(Qt::BottomDockWidgetArea, this, Qt::Vertical);
    if (docked) {
        FDockHeight = height;
        show();
        return;
    }
    hide();
    setFloating(true);
    // It gets its floating place when it is first shown, over the main window
    // as it then stands.
    FPlaced = false;
    Undock();
}

void TfmMessageWindow::SaveMessages(const QString &fileName) const
{
    QString text;
    for (int i = 0; i < Count(); ++i)
        text += Text(i) + QStringLiteral("\r\n");
    WriteFileAtomically(fileName, ToWin1251(text));
}

void TfmMessageWindow::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    if (ShownDocked())
        ApplyDockHeight();
}

void TfmMessageWindow::hideEvent(QHideEvent *event)
{
    QDockWidget::hideEvent(event);
    // Hidden with its main window (minimised, closing) it keeps its state;
    // only hiding the message window itself undocks it.
    if (isHidden())
        Undock();
}

void TfmMessageWindow::resizeEvent(QResizeEvent *event)
{
    QDockWidget::resizeEvent(event);
    if (FDocked && ShownDocked())
        FDockHeight = height();
}

bool TfmMessageWindow::IsGoToKey(const QKeyEvent &event)
{
    const QKeyCombination combination = event.keyCombination();
    return combination == QKeyCombination(Qt::ControlModifier, Qt::Key_V) || combination == QKeyCombination(Qt::Key_Return)
           || combination == QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter);
}

bool TfmMessageWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lbMessages && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && IsGoToKey(*static_cast<QKeyEvent *>(event))) {
        // Accepting the override keeps the key from every shortcut; it comes
        // back as a key press to the list.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            CommandGuard::RunCommand(this, [this] { pmiGoToClick(); });
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void TfmMessageWindow::pmiGoToClick()
{
    const QListWidgetItem *item = lbMessages->currentItem();
    if (item && item->isSelected())
        emit goToMessage(item->text(), item->data(Qt::UserRole).toInt());
}

void TfmMessageWindow::pmiSaveClick()
{
    TFileDialogOptions options;
    // Only the description is translated; the pattern after "|" is the one
    // the dialog filters by.
    options.Filter = tr("Текстовый файл (*.txt)") + QStringLiteral("|*.txt");
    options.FileName = tr("Сообщение");
    const TFileChoice choice = ChooseSaveFile(this, options);
    if (!choice.Cancelled())
        SaveMessages(choice.FileName);
}

void TfmMessageWindow::PlaceFloating()
{
    // Floating, it first appears over the lower part of the main window.
    const QRect frame = FMainWindow->geometry();
    const int width = frame.width() / kFloatingWidthShare;
    const int height = frame.height() / kDefaultHeightShare;
    setGeometry(frame.left() + (frame.width() - width) / 2, frame.bottom() - 2 * height, width, height);
    FPlaced = true;
}

void TfmMessageWindow::DockedChanged(bool floating)
{
    if (floating) {
        // The user tore it off: it stays where it was dropped.
        FPlaced = true;
        Undock();
    } else if (isVisible()) {
        ApplyDockHeight();
    }
}

bool TfmMessageWindow::ShownDocked() const
{
    // Restore put it into the bottom dock area: not floating is docked there.
    return FMainWindow && !isFloating() && !isHidden();
}

void TfmMessageWindow::ApplyDockHeight()
{
    if (FDockHeight < kLeastDockHeight)
        FDockHeight = FMainWindow->height() / kDefaultHeightShare;
    FDocked = true;
    FMainWindow->resizeDocks({this}, {FDockHeight}, Qt::Vertical);
}

void TfmMessageWindow::Undock()
{
    FDocked = false;
    FDockHeight = 1;
}
