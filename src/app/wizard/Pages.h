#pragma once

#include "common/BaseForm.h"

#include <QString>
#include <memory>
#include <vector>

class TKeyboard;
class TKeyboardManager;
class TKeyboards;
class TPages;

/// The base of a wizard page: a borderless form shown in the wizard
/// dialog's page area. The wizard calls Commit when the user leaves it
/// forward, Revert when the user leaves it backward and Enter each time it
/// is shown; a page that is not Applicable is skipped in both directions.
class TPage : public TBaseForm {
    Q_OBJECT
public:
    TPage(TPages &pages, const QString &title);

    TPages &Pages() const { return FPages; }
    /// Returns the text the dialog's header shows for the page.
    const QString &Title() const { return FTitle; }

    /// The base does nothing; a page raises to stay current.
    virtual void Commit() {}
    virtual void Revert() {}
    virtual void Enter() {}
    /// The base returns true.
    virtual bool Applicable() const { return true; }

signals:
    /// The page asks the wizard to move on, as "Далее >" does.
    void action();

protected:
    void SetTitle(const QString &title) { FTitle = title; }

private:
    TPages &FPages;
    QString FTitle;
};

/// The pages of the new-layout wizard, in order, and what they settle: the
/// chosen keyboard model and the models that match a detected keyboard.
/// Destroying it destroys its pages.
class TPages {
public:
    explicit TPages(TKeyboardManager &manager);
    ~TPages();
    TPages(const TPages &) = delete;
    TPages &operator=(const TPages &) = delete;

    TKeyboardManager &Manager() const { return FManager; }
    int Count() const { return int(FItems.size()); }
    TPage &Item(int index) const { return *FItems[size_t(index)]; }
    /// Appends a page and takes it over.
    void Add(std::unique_ptr<TPage> page);

    /// Returns the model chosen so far (empty until one is chosen).
    const TKeyboard &Keyboard() const { return *FKeyboard; }
    /// Returns whether a model was chosen.
    bool HasKeyboard() const { return FHasKeyboard; }
    /// Makes a copy of model the chosen model.
    void Choose(const TKeyboard &model);
    /// Forgets the chosen model.
    void ClearChoice();

    /// Returns the models of the catalogue that match the detected keyboard.
    TKeyboards &Candidates() const { return *FCandidates; }
    /// The model code the keyboard reported at the latest detection; -1 when
    /// the model was picked from the list.
    int DetectedModel = -1;

private:
    TKeyboardManager &FManager;
    std::vector<std::unique_ptr<TPage>> FItems;
    std::unique_ptr<TKeyboard> FKeyboard;
    std::unique_ptr<TKeyboards> FCandidates;
    bool FHasKeyboard = false;
};
