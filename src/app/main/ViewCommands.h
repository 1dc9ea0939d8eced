#pragma once

#include "settings/ViewMode.h"

#include <QList>
#include <QObject>

class QToolBar;
class QWidget;
class TDocumentWindows;
class TfmMessageWindow;
class TKeyboardManager;
class TWindowLayoutStore;
struct TMainActions;

/// The commands of the "&Вид" menu: the shown layer and the view mode of the
/// active document, the button captions of the toolbars and the message
/// window.
class TViewCommands : public QObject {
    Q_OBJECT

public:
    /// captionedBars are the toolbars whose buttons the caption toggle
    /// concerns; store records the toggle.
    TViewCommands(const TMainActions &actions, TDocumentWindows &documents, TKeyboardManager &manager,
                  TfmMessageWindow &messages, QList<QToolBar *> captionedBars, TWindowLayoutStore &store,
                  QWidget &window);

    /// Shows the toolbar buttons with their captions under the icons, or the
    /// icons alone; checks "Подписи к кнопкам" when the captions are shown.
    void SetButtonCaptions(bool shown);
    /// Shows the message window when it is hidden, hides it otherwise.
    void ToggleMessageWindow();

private:
    void ShowLayer(int layer);
    void SetViewMode(TViewMode mode);

    const TMainActions &FActions;
    TDocumentWindows &FDocuments;
    TKeyboardManager &FManager;
    TfmMessageWindow &FMessages;
    QList<QToolBar *> FCaptionedBars;
    TWindowLayoutStore &FStore;
    QWidget &FWindow;
};
