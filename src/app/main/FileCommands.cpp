#include "main/FileCommands.h"

#include "common/CommandGuard.h"
#include "common/FileDialogs.h"
#include "device/KeyboardManager.h"
#include "document/DocumentWindows.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "main/MainActions.h"
#include "main/RecentFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString PatternOf(const TLayoutFormat &format)
{
    return format.GetFilter().section(u'|', 1, 1).trimmed().toLower();
}

} // namespace

TFileCommands::TFileCommands(const TMainActions &actions, TDocumentWindows &documents, TKeyboardManager &manager,
                             TRecentFiles &recent, QWidget &window)
    : QObject(&window), FDocuments(documents), FManager(manager), FRecent(recent), FWindow(window)
{
    const auto bind = [this](QAction *action, std::function<void()> command) {
        connect(action, &QAction::triggered, this,
                [this, command = std::move(command)] { CommandGuard::RunCommand(&FWindow, command); });
    };
    bind(actions.actFileNew, [this] { New(); });
    bind(actions.actFileOpen, [this] { Open(); });
    bind(actions.actFileSave, [this] { Save(FDocuments.ActiveOrFail()); });
    bind(actions.actFileSaveAs, [this] { SaveAs(FDocuments.ActiveOrFail()); });
    bind(actions.actFileClose, [this] { FDocuments.Frame(&FDocuments.ActiveOrFail())->close(); });
    bind(actions.actFileCloseAll, [this] { FDocuments.CloseAll(); });
    bind(actions.actFilePrint, [this] { Print(); });
    bind(actions.actFileExit, [this] { FWindow.close(); });
    connect(&FRecent, &TRecentFiles::openRequested, this, [this](const QString &fileName, int formatIndex) {
        CommandGuard::RunCommand(&FWindow, [&] { OpenFile(fileName, formatIndex); });
    });
}

void TFileCommands::New()
{
    FDocuments.Show(FDocuments.Create());
}

void TFileCommands::Open()
{
    TFileDialogOptions options;
    options.Filter = FManager.OpenFilter();
    options.Folder = FManager.LastFolder();
    options.FileName = FManager.LastFileName();
    const TFileChoice choice = ChooseOpenFile(&FWindow, options);
    if (!choice.Cancelled())
        OpenFile(choice.FileName, choice.FilterIndex);
}

void TFileCommands::OpenFile(const QString &fileName, int formatIndex)
{
    FRecent.Add(fileName, formatIndex);
    // A file already open is not read a second time: its window comes
    // forward, with whatever edits it holds.
    if (TfmDoc *open = FDocuments.OpenedFrom(fileName)) {
        FDocuments.Activate(open);
        return;
    }
    TfmDoc *document = FDocuments.Create(QFileInfo(fileName).absoluteFilePath());
    try {
        document->Document().Open(fileName, formatIndex);
    } catch (...) {
        delete document;
        throw;
    }
    FDocuments.Show(document);
}

void TFileCommands::OpenFiles(const QStringList &fileNames)
{
    for (const QString &fileName : fileNames) {
        const int index = fileName.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) ? ofImage : ofXML;
        CommandGuard::RunCommand(&FWindow, [&] { OpenFile(fileName, index); });
    }
}

void TFileCommands::Save(TfmDoc &document)
{
    if (document.Document().FileName().isEmpty()) {
        SaveAs(document);
        return;
    }
    document.Document().Save();
    FDocuments.NotifyChanged();
}

bool TFileCommands::SaveAs(TfmDoc &document)
{
    TLayoutDocument &layout = document.Document();
    TFileDialogOptions options;
    options.Filter = FManager.SaveFilter();
    options.Folder = FManager.LastFolder();
    const QFileInfo current(layout.FileName());
    if (layout.FileName().isEmpty())
        options.FileName = document.Caption();
    else
        options.FileName = current.suffix().isEmpty() ? QString() : current.absolutePath() + u'/' + current.completeBaseName();
    options.FilterIndex = layout.SaveIndex();
    const TFileChoice choice = ChooseSaveFile(&FWindow, options);
    if (choice.Cancelled())
        return false;
    layout.SaveAs(choice.FileName, choice.FilterIndex);
    const int openIndex = OpenIndexForSaveFormat(choice.FilterIndex);
    if (openIndex >= 0)
        FRecent.Add(choice.FileName, openIndex);
    FDocuments.NotifyChanged();
    return true;
}

int TFileCommands::OpenIndexForSaveFormat(int saveIndex) const
{
    // The open registry reads every XML form with its XML format and every
    // device image with its image format: the file pattern tells them apart.
    const QString pattern = PatternOf(FManager.Formats().Item(saveIndex));
    const TLayoutFormats &open = FManager.OpenFormats();
    for (int i = 0; i < open.Count(); ++i)
        if (PatternOf(open.Item(i)) == pattern)
            return i;
    return -1;
}

void TFileCommands::Print()
{
    TfmDoc &document = FDocuments.ActiveOrFail();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.Caption());
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without a printer the layout goes into a PDF file.
        const QString fileName = ChoosePdfFile(
            &FWindow, ProposedPdfFileName(document.Document().FileName(), document.Caption(), FManager.LastFolder()));
        if (fileName.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
    } else {
        QPrintDialog dialog(&printer, &FWindow);
        dialog.setObjectName(QStringLiteral("dlgPrint"));
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    document.Print(printer);
}
