#include "base/Error.h"
#include "common/FileDialogs.h"
#include "common/MessageLink.h"
#include "device/KeyboardManager.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>

namespace {

// Print units: one device pixel is 0.1 mm.
constexpr int kPrintResolution = 254;
constexpr int kPrintCellSize = 127;
constexpr int kPrintGap = 76;

void Inform(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::information(parent, caption, text);
}

QString NotFoundText(const QString &text)
{
    return QCoreApplication::translate("TfmDoc", "Не удается найти \"%1\"").arg(text);
}

} // namespace

void TfmDoc::SelectAll()
{
    FDocument->SelectAll();
}

void TfmDoc::Cut()
{
    QGuiApplication::clipboard()->setText(FDocument->Cut(ShownLayer(), ViewMode()));
}

void TfmDoc::Copy()
{
    QGuiApplication::clipboard()->setText(FDocument->Copy());
}

void TfmDoc::Paste()
{
    FDocument->Paste(QGuiApplication::clipboard()->text(), ShownLayer(), ViewMode());
}

void TfmDoc::Clear()
{
    FDocument->Clear(ShownLayer(), ViewMode());
}

void TfmDoc::Group()
{
    if (!FDocument->Group())
        QMessageBox::critical(this, tr("Ошибка"), tr("Пересечение групп. Группирование невозможно."));
}

void TfmDoc::Ungroup()
{
    FDocument->Ungroup();
}

bool TfmDoc::CanPaste() const
{
    return !QGuiApplication::clipboard()->text().isEmpty();
}

bool TfmDoc::CanGroup() const
{
    return !FDocument->Layout().IsSingleCell();
}

bool TfmDoc::CanUngroup() const
{
    return FDocument->HasGroupInSelection();
}

bool TfmDoc::NeedsSaving() const
{
    return FDocument->NeedsSaving();
}

void TfmDoc::Find(const QString &text)
{
    FMessages.ClearMessages();
    const int found = FDocument->Layout().Find(
        text, ShownLayer(), [this](const QString &line, uint32_t tag) { FMessages.AddMessage(line, int(tag)); });
    if (found > 0)
        FMessages.ShowMessages();
    else
        Inform(this, tr("Поиск"), NotFoundText(text));
}

void TfmDoc::Replace(const QString &text, const QString &replacement)
{
    const int count = FDocument->Replace(text, replacement, ShownLayer());
    if (count <= 0) {
        Inform(this, tr("Замена"), NotFoundText(text));
        return;
    }
    FMessages.ClearMessages();
    FMessages.AddMessage(tr("[Замена] (%1->%2) Количество замен: %3").arg(text, replacement).arg(count),
                         int(FDocument->Layout().InstanceNumber()));
    FMessages.ShowMessages();
}

void TfmDoc::Check()
{
    FMessages.ClearMessages();
    const bool valid = FDocument->Layout().Check(
        [this](const QString &line, uint32_t tag) { FMessages.AddMessage(line, int(tag)); });
    if (valid)
        Inform(this, QGuiApplication::applicationDisplayName(), tr("Ошибок нет."));
    else
        FMessages.ShowMessages();
}

void TfmDoc::Print(QPrinter &printer)
{
    printer.setResolution(kPrintResolution);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EError(tr("Не удалось начать печать."));
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    FDocument->Layout().Draw(painter, kPrintCellSize, QRect(QPoint(0, 0), page.size()), kPrintGap, kPrintGap,
                             kPrintCellSize);
    painter.end();
}

bool TfmDoc::GoToMessage(const QString &text)
{
    if (!FDocument->GotoLine(text))
        return false;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()); frame && frame->mdiArea())
        frame->mdiArea()->setActiveSubWindow(frame);
    else {
        raise();
        activateWindow();
    }
    return true;
}

QString TfmDoc::AskSaveFile(int &saveIndex)
{
    TFileDialogOptions options;
    options.Filter = FManager.SaveFilter();
    options.Folder = FManager.LastFolder();
    options.FileName = QFileInfo(FManager.LastFileName()).fileName();
    options.FilterIndex = FSaveIndex;
    const TFileChoice choice = ChooseSaveFile(this, options);
    if (choice.Cancelled())
        return QString();
    saveIndex = FSaveIndex = choice.FilterIndex;
    return choice.FileName;
}

bool TfmDoc::SaveForClose()
{
    if (!FDocument->FileName().isEmpty()) {
        FDocument->Save();
        return true;
    }
    int saveIndex = 0;
    const QString path = AskSaveFile(saveIndex);
    if (path.isEmpty())
        return false;
    FDocument->SaveAs(path, saveIndex);
    return true;
}
