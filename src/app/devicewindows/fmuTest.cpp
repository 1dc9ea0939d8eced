#include "devicewindows/fmuTest.h"

#include "codes/CodeTable.h"
#include "codes/StdCodes.h"
#include "common/CommandGuard.h"
#include "common/KeyCapture.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *CreateMemo(QWidget *page, const QString &name)
{
    auto *memo = new QPlainTextEdit(page);
    memo->setObjectName(name);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(memo);
    return memo;
}

} // namespace

TfmTest::TfmTest(const TFont &font, QWidget *parent) : TBaseForm(font, parent, Qt::Window)
{
    setObjectName(QStringLiteral("fmTest"));
    setWindowTitle(tr("Тест клавиатуры"));
    resize(420, 320);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    tsCodes = new QWidget;
    tsCodes->setObjectName(QStringLiteral("tsCodes"));
    tsText = new QWidget;
    tsText->setObjectName(QStringLiteral("tsText"));
    PageControl->addTab(tsCodes, tr("Коды клавиш"));
    PageControl->addTab(tsText, tr("Текст"));
    MemoCodes = CreateMemo(tsCodes, QStringLiteral("MemoCodes"));
    MemoText = CreateMemo(tsText, QStringLiteral("MemoText"));
    pmMemoCodes = CreateMemoMenu(MemoCodes, QStringLiteral("Codes"));
    pmMemoText = CreateMemoMenu(MemoText, QStringLiteral("Text"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);

    FHook = new TKeyHook([this](const TKeyMessage &message) { return OnKeyMessage(message); }, this);
}

TfmTest::~TfmTest()
{
    FHook->Remove();
}

void TfmTest::ShowTest()
{
    if (!isVisible() && screen())
        move(screen()->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

QString TfmTest::CodeLine(const QString &codeText, const QByteArray &scanCode)
{
    QString bytes;
    for (const char byte : scanCode)
        bytes += QStringLiteral("%1 ").arg(uint8_t(byte), 2, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("%1 (%2)").arg(codeText, bytes);
}

bool TfmTest::event(QEvent *event)
{
    // The hook is held only while this is the active window, so that the
    // keyboard works as usual everywhere else.
    if (event->type() == QEvent::WindowActivate) {
        FHeard.Clear();
        FHook->Install();
    }
    else if (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::Hide)
        FHook->Remove();
    return TBaseForm::event(event);
}

bool TfmTest::OnKeyMessage(const TKeyMessage &message)
{
    if (PageControl->currentWidget() != tsCodes)
        return false;
    const std::optional<TScanCode> code = StdCodeTable().CodeForKeyMessage(message, kcBoth);
    if (!code)
        return false;
    // The release of the key that opened or activated this window is no
    // keystroke of the test.
    if (!FHeard.Heard(*code))
        return true;
    MemoCodes->appendPlainText(CodeLine(code->Text(), code->ScanCode));
    return true;
}

QMenu *TfmTest::CreateMemoMenu(QPlainTextEdit *memo, const QString &prefix)
{
    auto *menu = new QMenu(memo);
    menu->setObjectName(QStringLiteral("pmMemo") + prefix);
    const auto add = [&](const QString &name, const QString &caption, void (QPlainTextEdit::*slot)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QStringLiteral("mi") + prefix + name);
        connect(action, &QAction::triggered, memo,
                [this, memo, slot] { CommandGuard::RunCommand(this, [memo, slot] { (memo->*slot)(); }); });
        return action;
    };
    QAction *cut = add(QStringLiteral("Cut"), tr("Вырезать"), &QPlainTextEdit::cut);
    QAction *copy = add(QStringLiteral("Copy"), tr("Копировать"), &QPlainTextEdit::copy);
    QAction *paste = add(QStringLiteral("Paste"), tr("Вставить"), &QPlainTextEdit::paste);
    add(QStringLiteral("Clear"), tr("Очистить"), &QPlainTextEdit::clear);
    add(QStringLiteral("SelectAll"), tr("Выделить все"), &QPlainTextEdit::selectAll);
    // Cut and copy need a selection, paste text on the clipboard.
    connect(menu, &QMenu::aboutToShow, memo, [memo, cut, copy, paste] {
        const bool selected = memo->textCursor().hasSelection();
        cut->setEnabled(selected);
        copy->setEnabled(selected);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        paste->setEnabled(data && data->hasText());
    });
    connect(memo, &QPlainTextEdit::customContextMenuRequested, menu,
            [memo, menu](const QPoint &position) { menu->popup(memo->viewport()->mapToGlobal(position)); });
    return menu;
}
