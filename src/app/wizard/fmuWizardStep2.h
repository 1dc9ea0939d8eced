#pragma once

#include "wizard/Pages.h"

class QListWidget;

/// The second page of the new-layout wizard: shown only when the detected
/// model code belongs to several models, it lets the user pick one.
class TfmWizardStep2 : public TPage {
    Q_OBJECT
public:
    explicit TfmWizardStep2(TPages &pages);

    /// Lists the candidates and selects the first.
    void Enter() override;
    /// Chooses the selected candidate.
    void Commit() override;
    /// Forgets the candidates.
    void Revert() override;
    /// Returns whether more than one model matched.
    bool Applicable() const override;

private:
    QListWidget *lbCandidates;
};
