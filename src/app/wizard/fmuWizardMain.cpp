#include "wizard/fmuWizardMain.h"

#include "catalogue/Keyboards.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "help/HelpCommands.h"
#include "settings/SettingsManager.h"
#include "wizard/LayoutWizard.h"
#include "wizard/fmuWizardStep1.h"
#include "wizard/fmuWizardStep2.h"
#include "wizard/fmuWizardStep3.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

TfmWizardMain::TfmWizardMain(TKeyboardManager &manager, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmWizardMain"));
    setWindowTitle(tr("Создание новой раскладки"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(manager.Settings().Font()));

    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    header->setMinimumHeight(48);
    lblTitle = new QLabel(header);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->addWidget(lblTitle);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    pnlPage = new QWidget(this);
    pnlPage->setObjectName(QStringLiteral("pnlPage"));
    auto *pageLayout = new QVBoxLayout(pnlPage);

    btnPrev = new QPushButton(tr("< Назад"), this);
    btnPrev->setObjectName(QStringLiteral("btnPrev"));
    btnNext = new QPushButton(tr("Далее >"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setDefault(true);
    btnCancel = new QPushButton(tr("Отмена"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    btnPrev->setAutoDefault(false);
    connect(btnNext, &QPushButton::clicked, this, &TfmWizardMain::btnNextClick);
    connect(btnPrev, &QPushButton::clicked, this, &TfmWizardMain::btnPrevClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfmWizardMain::reject);
    auto *buttonLine = new QFrame(this);
    buttonLine->setFrameShape(QFrame::HLine);
    buttonLine->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrev);
    buttons->addWidget(btnNext);
    buttons->addSpacing(8);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(header);
    layout->addWidget(line);
    layout->addWidget(pnlPage, 1);
    layout->addWidget(buttonLine);
    auto *buttonMargins = new QHBoxLayout;
    buttonMargins->setContentsMargins(8, 0, 8, 0);
    buttonMargins->addLayout(buttons);
    layout->addLayout(buttonMargins);

    FWizard = std::make_unique<TLayoutWizard>(manager, [this](TPage &page) { ShowPage(page); });
    TPages &pages = FWizard->Pages();
    pages.Add(std::make_unique<TfmWizardStep1>(pages));
    pages.Add(std::make_unique<TfmWizardStep2>(pages));
    pages.Add(std::make_unique<TfmWizardStep3>(pages));
    for (int i = 0; i < pages.Count(); ++i) {
        TPage &page = pages.Item(i);
        page.setParent(pnlPage);
        page.hide();
        pageLayout->addWidget(&page);
        connect(&page, &TPage::action, this, &TfmWizardMain::btnNextClick);
    }
    // The wizard is modal above the main window, whose F1 it thus blocks: it
    // opens the manual where it tells how a keyboard is reached.
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this, &manager] {
        CommandGuard::RunCommand(this, [&] { THelpCommands::OpenManual(manager.DataFolder(), QStringLiteral("linux")); });
    });
    resize(560, 400);
    Move([this] { FWizard->Next(); });
}

TfmWizardMain::~TfmWizardMain() = default;

void TfmWizardMain::ShowPage(TPage &page)
{
    lblTitle->setText(QStringLiteral("   ") + page.Title());
}

void TfmWizardMain::btnNextClick()
{
    if (!FWizard->CanNext()) {
        if (FWizard->CanFinish())
            accept();
        return;
    }
    CommandGuard::RunCommand(this, [this] { Move([this] { FWizard->Next(); }); });
}

void TfmWizardMain::btnPrevClick()
{
    if (FWizard->CanPrev())
        CommandGuard::RunCommand(this, [this] { Move([this] { FWizard->Prev(); }); });
}

void TfmWizardMain::Move(const std::function<void()> &move)
{
    btnNext->setEnabled(false);
    btnPrev->setEnabled(false);
    try {
        move();
    } catch (...) {
        UpdateButtons();
        throw;
    }
    UpdateButtons();
}

void TfmWizardMain::UpdateButtons()
{
    const bool last = !FWizard->CanNext();
    btnNext->setText(last ? tr("Готово") : tr("Далее >"));
    btnNext->setEnabled(!last || FWizard->CanFinish());
    btnCancel->setVisible(!last);
    btnPrev->setEnabled(FWizard->CanPrev());
    btnNext->setFocus();
}

bool RunLayoutWizard(TKeyboardManager &manager, TKeyboard &keyboard, QWidget *parent)
{
    TfmWizardMain wizard(manager, parent);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    keyboard.Assign(wizard.Wizard().Keyboard());
    return true;
}
