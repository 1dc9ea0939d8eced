#include "codeeditors/fmuCodes.h"

#include "base/Error.h"
#include "codes/StdCodes.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "codeeditors/fmuCstKey.h"
#include "codeeditors/fmuStdKey.h"
#include "common/KeyCapture.h"
#include "settings/SettingsManager.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

TfmCodes::TfmCodes(TKeyboardManager &manager, QWidget *parent)
    : QDialog(parent), FManager(manager),
      FHook(std::make_unique<TKeyHook>([this](const TKeyMessage &message) { return OnKeyMessage(message); }))
{
    setObjectName(QStringLiteral("fmCodes"));
    setWindowTitle(tr("Коды клавиши"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(manager.Settings().Font()));

    mmCodes = new QPlainTextEdit(this);
    mmCodes->setObjectName(QStringLiteral("mmCodes"));
    // Keys are recorded, not typed; Tab leaves the list.
    mmCodes->setReadOnly(true);
    mmCodes->setTabChangesFocus(true);
    mmCodes->setTextInteractionFlags(Qt::NoTextInteraction);
    mmCodes->setFocusPolicy(Qt::StrongFocus);
    mmCodes->installEventFilter(this);

    auto *signs = new QLabel(tr("\"+\" означает нажатие клавиши, \"-\" - отжатие"), this);
    auto *tab = new QLabel(tr("Для ввода клавиши TAB используйте кнопку \"Выбрать\""), this);
    lblModeHint =
        new QLabel(tr("Вы можете нажимать и отжимать любое количество клавиш в произвольном порядке"), this);
    lblModeHint->setObjectName(QStringLiteral("lblModeHint"));
    lblModeHint->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    const auto add = [&](const QString &text, const QString &name, QDialogButtonBox::ButtonRole role) {
        QPushButton *button = buttons->addButton(text, role);
        button->setObjectName(name);
        return button;
    };
    QPushButton *choose = add(tr("Выбрать..."), QStringLiteral("btnChoose"), QDialogButtonBox::ActionRole);
    QPushButton *clear = add(tr("Очистить"), QStringLiteral("btnClear"), QDialogButtonBox::ActionRole);
    QPushButton *bytes = add(tr("Задать..."), QStringLiteral("btnBytes"), QDialogButtonBox::ActionRole);
    add(QStringLiteral("OK"), QStringLiteral("btnOK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    add(tr("Отмена"), QStringLiteral("btnCancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmCodes::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmCodes::reject);
    connect(choose, &QPushButton::clicked, this, [this] { CommandGuard::RunCommand(this, [this] { ChooseStdKey(); }); });
    connect(bytes, &QPushButton::clicked, this, [this] { CommandGuard::RunCommand(this, [this] { EnterBytes(); }); });
    connect(clear, &QPushButton::clicked, this, [this] { CommandGuard::RunCommand(this, [this] { ClearCodes(); }); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mmCodes, 1);
    layout->addWidget(signs);
    layout->addWidget(tab);
    layout->addWidget(lblModeHint);
    layout->addWidget(buttons);
    resize(520, 380);
}

TfmCodes::~TfmCodes() = default;

bool TfmCodes::Execute(TScanCodes &codes, int mode)
{
    Start(codes, mode);
    if (exec() != QDialog::Accepted)
        return false;
    codes.Assign(FCodes);
    return true;
}

void TfmCodes::Start(const TScanCodes &codes, int mode)
{
    FMode = mode == kcPresses || mode == kcReleases ? mode : kcBoth;
    FError = false;
    FHeard.Clear();
    lblModeHint->setVisible(FMode == kcBoth);
    FCodes.Assign(codes);
    ShowLines();
    mmCodes->setFocus();
}

bool TfmCodes::IsRecording() const
{
    return FHook->IsInstalled();
}

bool TfmCodes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mmCodes) {
        // The recorder hears the keyboard exactly while the list has the focus.
        if (event->type() == QEvent::FocusIn)
            FHook->Install();
        else if (event->type() == QEvent::FocusOut)
            FHook->Remove();
    }
    return QDialog::eventFilter(watched, event);
}

void TfmCodes::hideEvent(QHideEvent *event)
{
    FHook->Remove();
    QDialog::hideEvent(event);
}

bool TfmCodes::OnKeyMessage(const TKeyMessage &message)
{
    const TCodeTable &table = StdCodeTable();
    const std::optional<TScanCode> key = table.CodeForKeyMessage(message, kcBoth);
    if (key && key->Name == QStringLiteral("TAB"))
        return false;
    const std::optional<TScanCode> code = table.CodeForKeyMessage(message, TKeyCapture(FMode));
    if (key && FHeard.Heard(*key) && code) {
        try {
            // The release of the key whose press failed is no code of its own.
            if (!(FError && code->CodeType == ctBreak))
                Append(*code);
            FError = false;
        } catch (const EError &error) {
            ShowError(error.Message());
        }
    }
    // Every other key stays with the recorder: nothing is typed into the
    // list, and Enter and Escape do not close the dialog.
    return true;
}

void TfmCodes::Append(const TScanCode &code)
{
    TScanCode &item = FCodes.Add();
    try {
        item.Assign(code);
    } catch (const EError &) {
        // An item without bytes would only confuse; the sequence stays as it was.
        FCodes.Remove(&item);
        throw;
    }
    mmCodes->appendPlainText(item.Text());
}

void TfmCodes::ShowLines()
{
    QStringList lines;
    for (int k = 0; k < FCodes.Count(); ++k)
        lines << FCodes.Item(k).Text();
    mmCodes->setPlainText(lines.join(u'\n'));
}

void TfmCodes::ShowError(const QString &text)
{
    FHook->Remove();
    FError = true;
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok, this);
    box.exec();
    FocusList();
}

void TfmCodes::FocusList()
{
    // The recorder comes back with the focus; the window that a message or a
    // picker covered becomes active again first.
    activateWindow();
    mmCodes->setFocus();
}

void TfmCodes::ChooseStdKey()
{
    FHook->Remove();
    if (!FStdKey)
        FStdKey = new TfmStdKey(FManager.CodeSet(), FManager.Settings().Font(), this);
    const auto restore = qScopeGuard([this] { FocusList(); });
    if (FStdKey->exec() != QDialog::Accepted || !FStdKey->Picked())
        return;
    const TStdCode &key = *FStdKey->Picked();
    if (FMode != kcReleases)
        Append(TfmStdKey::CodeOf(key, false));
    if (FMode != kcPresses)
        Append(TfmStdKey::CodeOf(key, true));
}

void TfmCodes::EnterBytes()
{
    FHook->Remove();
    if (!FCstKey)
        FCstKey = new TfmCstKey(FManager.Settings().Font(), this);
    const auto restore = qScopeGuard([this] { FocusList(); });
    if (FCstKey->exec() != QDialog::Accepted)
        return;
    const QByteArray bytes = FCstKey->Bytes();
    // A text without digits gives no bytes, so no item.
    if (bytes.isEmpty())
        return;
    mmCodes->appendPlainText(FCodes.AddBytes(bytes).Text());
}

void TfmCodes::ClearCodes()
{
    FCodes.Clear();
    mmCodes->clear();
    FocusList();
}
