#pragma once

#include "wizard/Pages.h"

class QListWidget;
class QRadioButton;

/// The first page of the new-layout wizard, "Выбор модели клавиатуры": the
/// model is either detected from the connected keyboard or picked from the
/// catalogue's list.
class TfmWizardStep1 : public TPage {
    Q_OBJECT
public:
    explicit TfmWizardStep1(TPages &pages);

    /// Lists the catalogue's models and selects the default model of the
    /// settings.
    void Enter() override;
    /// With the list option, chooses the selected model. Otherwise reads the
    /// keyboard's model code: the models that have it become the candidates
    /// and exactly one match is chosen. Raises the device's error when no
    /// keyboard answers, and the page stays.
    void Commit() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Detect();

    QRadioButton *rbDetect;
    QRadioButton *rbList;
    QListWidget *lbModels;
};
