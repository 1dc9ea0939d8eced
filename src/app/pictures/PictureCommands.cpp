#include "pictures/PictureCommands.h"

#include "common/ActionRegistry.h"
#include "device/KeyboardManager.h"
#include "document/LayoutDocument.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "pictures/fmuPicture.h"
#include "settings/SettingsManager.h"

namespace {

// Returns the graphic of the first layer's key at the selection's top-left
// cell, or at the top-left cell of the group that holds it; an empty one
// when there is no key.
TGraphic SelectedGraphic(const TLayout &layout)
{
    if (layout.LayerCount() == 0)
        return TGraphic();
    int col = layout.Selection().Left - 1;
    int row = layout.Selection().Top - 1;
    if (const TKeyGroup *group = layout.GroupAt(col, row)) {
        col = group->Rect().Left;
        row = group->Rect().Top;
    }
    const TKey *key = layout.Layers().Item(0).KeyAt(col, row);
    return key ? key->Picture().Picture() : TGraphic();
}

} // namespace

TPictureCommands::TPictureCommands(TKeyboardManager &manager, QWidget &window)
    : TDocumentFollower(&window), FManager(manager), FWindow(window)
{
    const std::pair<const char16_t *, TPictureCommand> commands[] = {
        {u"actPictureLoad", pcLoadPicture}, {u"actPictureSave", pcSavePicture}, {u"actPictureClear", pcClearPicture},
        {u"actPictureFont", pcChangeFont},  {u"actPictureColor", pcChangeColor}};
    for (const auto &[name, command] : commands)
        TActionRegistry::MakeCommand(name, this, window,
                                     [this, command = command] { RunCommand(ActiveOrFail(), command); });
}

TfmPicture &TPictureCommands::PictureWindow()
{
    if (!FPicture) {
        FPicture = new TfmPicture(FManager.Settings().Font(), &FWindow);
        FPicture->Attach(Active() ? &Active()->Document() : nullptr);
    }
    return *FPicture;
}

void TPictureCommands::ActiveChanged(TfmDoc *document)
{
    // A window not made yet has nothing to follow: it takes the active
    // document when made.
    if (!FPicture)
        return;
    FPicture->Attach(document ? &document->Document() : nullptr);
    if (!document)
        FPicture->hide();
}

bool TPictureCommands::EditKey(TfmDoc &document)
{
    if (document.ViewMode() != vmPicture)
        return false;
    TfmPicture &picture = PictureWindow();
    picture.Attach(&document.Document());
    picture.ShowBesideParent();
    return true;
}

void TPictureCommands::RunCommand(TfmDoc &document, TPictureCommand command)
{
    TfmPicture &picture = PictureWindow();
    picture.Attach(&document.Document());
    switch (command) {
    case pcLoadPicture:
        picture.AskLoadImage();
        break;
    case pcSavePicture:
        picture.AskSaveImage(SelectedGraphic(document.Document().Layout()));
        break;
    case pcClearPicture:
        picture.ClearImage();
        break;
    case pcChangeFont:
        picture.AskFont();
        break;
    case pcChangeColor:
        picture.AskBackgroundColor();
        break;
    }
}
