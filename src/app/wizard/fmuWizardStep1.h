#pragma once

#include "wizard/Pages.h"

class QLabel;
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
    /// settings. The first time, when the selected keyboard cannot be
    /// reached at all, says why and starts on the list.
    void Enter() override;
    /// With the list option, chooses the selected model. Otherwise reads the
    /// keyboard's model code: the models that have it become the candidates
    /// and exactly one match is chosen. When no keyboard answers, the page
    /// says why, turns to the list and stays (EAbort).
    void Commit() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Detect();
    /// Shows why no model could be detected, with what to do, and turns to
    /// the list.
    void ShowProblem(const QString &why);

    bool FEntered = false;
    QLabel *lblProblem;
    QRadioButton *rbDetect;
    QRadioButton *rbList;
    QListWidget *lbModels;
};
