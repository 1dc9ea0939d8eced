#include "codeeditors/MelodyField.h"

#include "codeeditors/MelodyPlay.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

TMelodyField::TMelodyField(TKeyboardManager &manager, const QString &name, QWidget *parent)
    : QWidget(parent), FManager(manager), FEdit(new QLineEdit(this)), FPlay(new QToolButton(this)),
      FButton(new QToolButton(this))
{
    FEdit->setObjectName(name);
    FPlay->setObjectName(name + QStringLiteral("Play"));
    FPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    FPlay->setToolTip(tr("Прослушать"));
    FButton->setObjectName(name + QStringLiteral("Button"));
    FButton->setText(QStringLiteral("..."));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(FEdit, 1);
    row->addWidget(FPlay);
    row->addWidget(FButton);
    setFocusProxy(FEdit);

    connect(FPlay, &QToolButton::clicked, this, &TMelodyField::Play);
    connect(FButton, &QToolButton::clicked, this, &TMelodyField::editMelodyRequested);
    SetEditorAvailable(false);
}

QString TMelodyField::Text() const
{
    return FEdit->text();
}

void TMelodyField::SetText(const QString &text)
{
    FEdit->setText(text);
}

void TMelodyField::SetEditorAvailable(bool available)
{
    FButton->setEnabled(available);
}

void TMelodyField::Play()
{
    PlayMelodyFromButton(FManager, *FPlay, Text());
}
