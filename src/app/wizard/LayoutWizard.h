#pragma once

#include "wizard/Pages.h"

#include <functional>

/// Walks the pages of the new-layout wizard: Next commits the page shown
/// and shows the next applicable one, Prev reverts it and shows the previous
/// applicable one. A page whose Commit raises stays shown.
class TLayoutWizard {
public:
    /// Called with every page that is shown, after its Enter.
    using TShowPage = std::function<void(TPage &page)>;

    TLayoutWizard(TKeyboardManager &manager, TShowPage onShow);

    TPages &Pages() { return FPages; }
    /// Returns the index of the page shown; -1 before the first Next.
    int Index() const { return FIndex; }
    /// Returns the page shown, or null before the first Next.
    TPage *Current() const;

    /// Commits the page shown (when it is applicable), hides it and shows
    /// the next applicable page, wrapping around after the last.
    void Next();
    /// Reverts the page shown (when it is applicable), hides it and shows
    /// the previous applicable page.
    void Prev();
    /// Returns whether a page follows the one shown.
    bool CanNext() const { return FIndex < FPages.Count() - 1; }
    /// Returns whether a page precedes the one shown.
    bool CanPrev() const { return FIndex > 0; }
    /// Returns whether the wizard may finish: the last page is shown and a
    /// model was chosen.
    bool CanFinish() const { return !CanNext() && FPages.HasKeyboard(); }
    /// Returns the chosen model.
    const TKeyboard &Keyboard() const { return FPages.Keyboard(); }

private:
    /// Commits or reverts the page shown, when there is one that takes part,
    /// and hides it.
    void Leave(bool forward);
    void Show(TPage &page);

    TPages FPages;
    int FIndex = -1;
    TShowPage FOnShow;
};
