#include "preview/fmuPreview.h"

#include "common/CommandGuard.h"
#include "common/FileDialogs.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Printer pixels per inch at which a pixel is 0.1 mm.
constexpr int kPageResolution = 254;

// Marks the annotation lines among the items of the preview's scene.
constexpr int kAnnotationKey = 0;

const QStringList kZoomEntries = {QStringLiteral("50%"),  QStringLiteral("75%"),  QStringLiteral("100%"),
                                  QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("250%"),
                                  QStringLiteral("300%"), QStringLiteral("350%"), QStringLiteral("400%"),
                                  QStringLiteral("450%"), QStringLiteral("500%")};

// Returns the paper formats a printer offers; the PDF printer takes every
// standard format.
QList<QPageSize> PrinterPapers(const QPrinter &printer)
{
    QList<QPageSize> papers;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        papers = QPrinterInfo(printer).supportedPageSizes();
    if (papers.isEmpty())
        for (int id = 0; id <= QPageSize::LastPageSize; ++id)
            if (id != QPageSize::Custom)
                papers << QPageSize(QPageSize::PageSizeId(id));
    return papers;
}

void AddLine(QGraphicsItem *page, const QLineF &line)
{
    QPen pen(QColor(0xC0, 0xC0, 0xC0), 0, Qt::DotLine);
    auto *item = new QGraphicsLineItem(line, page);
    item->setPen(pen);
    item->setData(kAnnotationKey, true);
}

bool IsAnnotated(const QGraphicsItem *page)
{
    const QList<QGraphicsItem *> children = page->childItems();
    return std::any_of(children.begin(), children.end(),
                       [](const QGraphicsItem *child) { return child->data(kAnnotationKey).toBool(); });
}

} // namespace

TfmPreview::TfmPreview(TfmDoc &document, const TFont &font, QWidget *parent)
    : TBaseForm(font, parent), FDocument(&document), FPrinter(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("fmPreview"));
    setWindowTitle(tr("Предварительный просмотр"));
    setAttribute(Qt::WA_DeleteOnClose);
    FDocumentFrame = document.parentWidget() ? document.parentWidget() : static_cast<QWidget *>(&document);
    FDocumentState = FDocumentFrame->windowState();

    FPrinter.setDocName(document.Caption());
    // The page is built in tenths of a millimetre; the pane takes its zoom
    // from the printer's resolution, so it must be that one from the start.
    FPrinter.setResolution(kPageResolution);
    if (QPrinterInfo::availablePrinters().isEmpty())
        FPrinter.setOutputFormat(QPrinter::PdfFormat);
    Preview = new QPrintPreviewWidget(&FPrinter, this);
    Preview->setObjectName(QStringLiteral("Preview"));
    CreateToolBar();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Preview, 1);

    connect(Preview, &QPrintPreviewWidget::paintRequested, this, &TfmPreview::BuildPage);
    connect(Preview, &QPrintPreviewWidget::previewChanged, this, [this] {
        Annotate();
        ShowZoom();
    });
    FillPapers();
    (Preview->orientation() == QPageLayout::Landscape ? rbLandscape : rbPortrait)->setChecked(true);
    Preview->setZoomFactor(1.0);
    cbZoom->setCurrentIndex(int(kZoomEntries.indexOf(QStringLiteral("100%"))));
    resize(800, 600);
}

TfmPreview::~TfmPreview()
{
    // The pane refers to the printer, which goes with this object's members.
    delete Preview;
    if (FDocumentFrame)
        FDocumentFrame->setWindowState(FDocumentState);
}

void TfmPreview::CreateToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    actPrint = ToolBar->addAction(tr("Печать..."));
    // A toolbar button would drop the dots of the caption otherwise.
    actPrint->setIconText(actPrint->text());
    actPrint->setObjectName(QStringLiteral("actPrint"));
    actPrint->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    actPrint->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(actPrint);
    connect(actPrint, &QAction::triggered, this, [this] { Run([this] { Print(); }); });
    ToolBar->addSeparator();

    ToolBar->addWidget(new QLabel(u' ' + tr("Масштаб:") + u' ', ToolBar));
    cbZoom = new QComboBox(ToolBar);
    cbZoom->setObjectName(QStringLiteral("cbZoom"));
    cbZoom->setEditable(true);
    cbZoom->setInsertPolicy(QComboBox::NoInsert);
    // Typed numbers stay as typed: no completion from the list.
    cbZoom->setCompleter(nullptr);
    cbZoom->addItems(kZoomEntries);
    cbZoom->setMinimumContentsLength(6);
    ToolBar->addWidget(cbZoom);
    // Enter is taken before the box sees it, which would also choose a list
    // entry of the same text and take the zoom a second time. The box has
    // the focus and hands keys to its line directly.
    cbZoom->installEventFilter(this);
    connect(cbZoom, &QComboBox::activated, this, [this] { Run([this] { ApplyZoomText(); }); });

    ToolBar->addWidget(new QLabel(u' ' + tr("Формат бумаги:") + u' ', ToolBar));
    cbPaper = new QComboBox(ToolBar);
    cbPaper->setObjectName(QStringLiteral("cbPaper"));
    // The box keeps a width that leaves the whole toolbar room on a screen
    // 1024 pixels wide; its list shows the sizes' full names.
    cbPaper->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbPaper->setMinimumContentsLength(12);
    ToolBar->addWidget(cbPaper);
    connect(cbPaper, &QComboBox::activated, this,
            [this] { Run([this] { SetPaper(cbPaper->currentText()); }); });

    ToolBar->addWidget(new QLabel(u' ' + tr("Ориентация:") + u' ', ToolBar));
    rbPortrait = new QRadioButton(tr("Книжная"), ToolBar);
    rbPortrait->setObjectName(QStringLiteral("rbPortrait"));
    rbLandscape = new QRadioButton(tr("Альбомная"), ToolBar);
    rbLandscape->setObjectName(QStringLiteral("rbLandscape"));
    auto *orientation = new QButtonGroup(this);
    orientation->addButton(rbPortrait);
    orientation->addButton(rbLandscape);
    ToolBar->addWidget(rbPortrait);
    ToolBar->addWidget(rbLandscape);
    connect(rbPortrait, &QRadioButton::clicked, this,
            [this] { Run([this] { SetOrientation(QPageLayout::Portrait); }); });
    connect(rbLandscape, &QRadioButton::clicked, this,
            [this] { Run([this] { SetOrientation(QPageLayout::Landscape); }); });
    ToolBar->addSeparator();

    actClose = ToolBar->addAction(tr("Закрыть"));
    actClose->setObjectName(QStringLiteral("actClose"));
    // Ctrl+F4 closes the preview as it closes a document window; the main
    // window's "Закрыть" rests while the preview is open.
    actClose->setShortcut(QKeySequence(QStringLiteral("Ctrl+F4")));
    actClose->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(actClose);
    connect(actClose, &QAction::triggered, this, [this] { CloseWindow(); });
}

bool TfmPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cbZoom && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Run([this] { ApplyZoomText(); });
            return true;
        }
    }
    return TBaseForm::eventFilter(watched, event);
}

void TfmPreview::FillPapers()
{
    FPapers = PrinterPapers(FPrinter);
    const QPageSize current = FPrinter.pageLayout().pageSize();
    for (const QPageSize &paper : FPapers) {
        cbPaper->addItem(paper.name());
        if (paper.isEquivalentTo(current) && cbPaper->currentIndex() < 1)
            cbPaper->setCurrentIndex(cbPaper->count() - 1);
    }
    cbPaper->view()->setMinimumWidth(cbPaper->view()->sizeHintForColumn(0) + 24);
}

int TfmPreview::Zoom() const
{
    return qRound(Preview->zoomFactor() * 100);
}

void TfmPreview::ApplyZoomText()
{
    QString text = cbZoom->currentText();
    if (text.endsWith(u'%'))
        text.chop(1);
    bool converted = false;
    const int zoom = text.toInt(&converted, 10);
    if (!converted) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), tr("Неверно указан масштаб"));
        return;
    }
    Preview->setZoomFactor(qBound(kMinZoom, zoom, kMaxZoom) / 100.0);
    ShowZoom();
}

void TfmPreview::ShowZoom()
{
    cbZoom->setEditText(QStringLiteral("%1%").arg(Zoom()));
}

void TfmPreview::SetPaper(const QString &name)
{
    for (const QPageSize &paper : FPapers)
        if (paper.name() == name) {
            FPrinter.setPageSize(paper);
            Preview->updatePreview();
            return;
        }
}

void TfmPreview::SetOrientation(QPageLayout::Orientation orientation)
{
    // The pane hands the orientation to the printer and builds the page again.
    Preview->setOrientation(orientation);
}

void TfmPreview::Print()
{
    if (FPrinter.outputFormat() == QPrinter::PdfFormat) {
        if (!ChoosePdfFile())
            return;
    } else {
        QPrintDialog dialog(&FPrinter, this);
        dialog.setObjectName(QStringLiteral("dlgPrint"));
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    PrintPages();
}

bool TfmPreview::ChoosePdfFile()
{
    // The next print goes beside the last PDF; the first beside the layout.
    QString proposed = FPrinter.outputFileName();
    if (proposed.isEmpty())
        proposed = ProposedPdfFileName(FDocument ? FDocument->Document().FileName() : QString(), FPrinter.docName(),
                                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QString fileName = ::ChoosePdfFile(this, proposed);
    if (fileName.isEmpty())
        return false;
    FPrinter.setOutputFileName(fileName);
    return true;
}

void TfmPreview::PrintPages()
{
    Preview->print();
}

void TfmPreview::BuildPage(QPrinter *printer)
{
    // A document window closed since the preview opened leaves an empty page.
    if (FDocument)
        Run([this, printer] { FDocument->Print(*printer); });
}

void TfmPreview::Annotate()
{
    const auto *view = Preview->findChild<QGraphicsView *>();
    if (!view || !view->scene())
        return;
    // The pages are drawn in printer pixels with the paper's top left corner
    // at the origin.
    const int resolution = FPrinter.resolution();
    const QRectF paper = FPrinter.pageLayout().fullRectPixels(resolution);
    const QRectF area = FPrinter.pageLayout().paintRectPixels(resolution);
    for (QGraphicsItem *page : view->scene()->items()) {
        if (page->parentItem() || IsAnnotated(page))
            continue;
        AddLine(page, QLineF(area.left(), 0, area.left(), paper.height()));
        AddLine(page, QLineF(area.right(), 0, area.right(), paper.height()));
        AddLine(page, QLineF(0, area.top(), paper.width(), area.top()));
        AddLine(page, QLineF(0, area.bottom(), paper.width(), area.bottom()));
    }
}

void TfmPreview::CloseWindow()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TfmPreview::Run(const std::function<void()> &command)
{
    CommandGuard::RunCommand(this, command);
}
