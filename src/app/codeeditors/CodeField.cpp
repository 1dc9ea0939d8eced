#include "codeeditors/CodeField.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

TCodeField::TCodeField(const QString &name, QWidget *parent)
    : QWidget(parent), FEdit(new QLineEdit(this)), FButton(new QToolButton(this)), FMenu(new QMenu(this))
{
    FEdit->setObjectName(name);
    FButton->setObjectName(name + QStringLiteral("Button"));
    FButton->setText(QStringLiteral("..."));
    FButton->setToolTip(tr("Задать скан-коды для этого поля"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(FEdit, 1);
    row->addWidget(FButton);
    setFocusProxy(FEdit);

    connect(FEdit, &QLineEdit::textEdited, this, &TCodeField::textEdited);
    connect(FButton, &QToolButton::clicked, this, [this] { emit editCodesRequested(2); });

    QAction *cut =
        FMenu->addAction(tr("Вырезать"), QKeySequence(Qt::CTRL | Qt::Key_X), FEdit, &QLineEdit::cut);
    QAction *copy =
        FMenu->addAction(tr("Копировать"), QKeySequence(Qt::CTRL | Qt::Key_C), FEdit, &QLineEdit::copy);
    // Cut and copy need a selection.
    connect(FMenu, &QMenu::aboutToShow, this, [this, cut, copy] {
        cut->setEnabled(FEdit->hasSelectedText() && !FEdit->isReadOnly());
        copy->setEnabled(FEdit->hasSelectedText());
    });
    FMenu->addAction(tr("Вставить"), QKeySequence(Qt::CTRL | Qt::Key_V), FEdit, &QLineEdit::paste);
    FMenu->addSeparator();
    const std::pair<const char *, int> adding[] = {
        {QT_TRANSLATE_NOOP("TCodeField", "Добавить коды нажатия и отжатия"), 2},
        {QT_TRANSLATE_NOOP("TCodeField", "Добавить коды нажатия"), 0},
        {QT_TRANSLATE_NOOP("TCodeField", "Добавить коды отжатия"), 1}};
    for (const auto &[caption, mode] : adding)
        FEditorActions << FMenu->addAction(QCoreApplication::translate("TCodeField", caption), this,
                                           [this, mode = mode] { emit editCodesRequested(mode); });
    FEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FEdit, &QLineEdit::customContextMenuRequested, this,
            [this](const QPoint &pos) { FMenu->popup(FEdit->mapToGlobal(pos)); });
    SetEditorAvailable(false);
}

QString TCodeField::Text() const
{
    return FEdit->text();
}

void TCodeField::SetText(const QString &text)
{
    FEdit->setText(text);
}

void TCodeField::SetEditorAvailable(bool available)
{
    FButton->setEnabled(available);
    for (QAction *action : FEditorActions)
        action->setEnabled(available);
}
