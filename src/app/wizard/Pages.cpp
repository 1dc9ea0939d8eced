#include "wizard/Pages.h"

#include "catalogue/Keyboards.h"
#include "device/KeyboardManager.h"
#include "settings/SettingsManager.h"

TPage::TPage(TPages &pages, const QString &title)
    : TBaseForm(pages.Manager().Settings().Font()), FPages(pages), FTitle(title)
{}

TPages::TPages(TKeyboardManager &manager)
    : FManager(manager), FKeyboard(std::make_unique<TKeyboard>()), FCandidates(std::make_unique<TKeyboards>())
{}

TPages::~TPages() = default;

void TPages::Add(std::unique_ptr<TPage> page)
{
    FItems.push_back(std::move(page));
}

void TPages::Choose(const TKeyboard &model)
{
    FKeyboard->Assign(model);
    FHasKeyboard = true;
}

void TPages::ClearChoice()
{
    FKeyboard->Clear();
    FHasKeyboard = false;
}
