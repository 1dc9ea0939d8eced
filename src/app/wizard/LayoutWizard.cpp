#include "wizard/LayoutWizard.h"

TLayoutWizard::TLayoutWizard(TKeyboardManager &manager, TShowPage onShow)
    : FPages(manager), FOnShow(std::move(onShow))
{}

TPage *TLayoutWizard::Current() const
{
    return FIndex >= 0 && FIndex < FPages.Count() ? &FPages.Item(FIndex) : nullptr;
}

void TLayoutWizard::Leave(bool forward)
{
    TPage *page = Current();
    if (!page || !page->Applicable())
        return;
    if (forward)
        page->Commit();
    else
        page->Revert();
    page->hide();
}

void TLayoutWizard::Show(TPage &page)
{
    page.show();
    page.Enter();
    if (FOnShow)
        FOnShow(page);
}

void TLayoutWizard::Next()
{
    // Each page is looked at once at most, so that a wizard without an
    // applicable page does not spin.
    if (FPages.Count() == 0)
        return;
    for (int tried = 0; tried < FPages.Count(); ++tried) {
        Leave(true);
        FIndex = (FIndex + 1) % FPages.Count();
        if (FPages.Item(FIndex).Applicable()) {
            Show(FPages.Item(FIndex));
            return;
        }
    }
}

void TLayoutWizard::Prev()
{
    if (FIndex < 0)
        return;
    for (int tried = 0; tried < FPages.Count(); ++tried) {
        Leave(false);
        if (FIndex > 0)
            --FIndex;
        if (FPages.Item(FIndex).Applicable()) {
            Show(FPages.Item(FIndex));
            return;
        }
    }
}
