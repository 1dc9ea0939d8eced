#include "wizard/fmuWizardStep2.h"

#include "catalogue/Keyboards.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TfmWizardStep2::TfmWizardStep2(TPages &pages) : TPage(pages, QString())
{
    setObjectName(QStringLiteral("fmWizardStep2"));
    auto *text = new QLabel(tr("Для данной модели клавиатуры доступны несколько конфигураций. "
                               "Выберите подходящую вам из списка."),
                            this);
    text->setWordWrap(true);
    lbCandidates = new QListWidget(this);
    lbCandidates->setObjectName(QStringLiteral("lbCandidates"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(lbCandidates, 1);
}

void TfmWizardStep2::Enter()
{
    lbCandidates->clear();
    const TKeyboards &candidates = Pages().Candidates();
    for (int i = 0; i < candidates.Count(); ++i)
        lbCandidates->addItem(candidates.Item(i).ClassName);
    lbCandidates->setCurrentRow(0);
}

void TfmWizardStep2::Commit()
{
    const int row = lbCandidates->currentRow();
    if (row >= 0 && row < Pages().Candidates().Count())
        Pages().Choose(Pages().Candidates().Item(row));
    else
        Pages().ClearChoice();
}

void TfmWizardStep2::Revert()
{
    Pages().Candidates().Clear();
    Pages().ClearChoice();
}

bool TfmWizardStep2::Applicable() const
{
    return Pages().Candidates().Count() > 1;
}
