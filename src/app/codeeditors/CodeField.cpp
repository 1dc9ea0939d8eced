#include "codeeditors/CodeField.h"

#include <QAction>
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
    FButton->setToolTip(QStringLiteral("Задать скан-коды для этого поля"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(FEdit, 1);
    row->addWidget(FButton);
    setFocusProxy(FEdit);

    connect(FEdit, &QLineEdit::textEdited, this, &TCodeField::textEdited);
    connect(FButton, &QToolButton::clicked, this, [this] { emit editCodesRequested(2); });

    QAction *cut =
        FMenu->addAction(QStringLiteral("Вырезать"), QKeySequence(Qt::CTRL | Qt::Key_X), FEdit, &QLineEdit::cut);
    QAction *copy =
        FMenu->addAction(QStringLiteral("Копировать"), QKeySequence(Qt::CTRL | Qt::Key_C), FEdit, &QLineEdit::copy);
    // Cut and copy need a selection.
    connect(FMenu, &QMenu::aboutToShow, this, [this, cut, copy] {
        cut->setEnabled(FEdit->hasSelectedText() && !FEdit->isReadOnly());
        copy->setEnabled(FEdit->hasSelectedText());
    });
    FMenu->addAction(QStringLiteral("Вставить"), QKeySequence(Qt::CTRL | Qt::Key_V), FEdit, &QLineEdit::paste);
    FMenu->addSeparator();
    const std::pair<const char16_t *, int> adding[] = {
        {u"Добавить коды нажатия и отжатия", 2}, {u"Добавить коды нажатия", 0}, {u"Добавить коды отжатия", 1}};
    for (const auto &[caption, mode] : adding)
        FEditorActions << FMenu->addAction(QString::fromUtf16(caption), this,
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
