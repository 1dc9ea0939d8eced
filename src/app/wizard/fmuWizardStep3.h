#pragma once

#include "wizard/Pages.h"

class QLabel;

/// The last page of the new-layout wizard, "Раскладка создана": names the
/// chosen model. When no model was chosen (the keyboard's model code is in
/// no description of the catalogue) it says so instead, and the wizard
/// cannot finish until the user goes back and picks a model.
class TfmWizardStep3 : public TPage {
    Q_OBJECT
public:
    explicit TfmWizardStep3(TPages &pages);

    /// Sets the title and the text for the chosen model, or for none.
    void Enter() override;

private:
    QLabel *lblResult;
};
