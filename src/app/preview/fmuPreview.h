#pragma once

#include "common/BaseForm.h"

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrinter>

class QAction;
class QComboBox;
class QPrintPreviewWidget;
class QRadioButton;
class QToolBar;
class TfmDoc;

/// The window "Предварительный просмотр": the page of a layout as the
/// printer will put it out, with zoom, paper format and orientation, "Печать..."
/// and "Закрыть". The page is the document window's printout; dotted light
/// grey lines mark the printable area in the preview only.
///
/// It refers to the document window, not to a copy of its layout: the page
/// shows the layout as it was when the page was last built. When it goes, the
/// document window gets back the window state it had when the preview opened.
/// Without printers the paper list is the PDF printer's and "Печать..."
/// writes a PDF file.
class TfmPreview : public TBaseForm {
    Q_OBJECT
public:
    /// The zoom bounds, in per cent.
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 500;

    TfmPreview(TfmDoc &document, const TFont &font, QWidget *parent = nullptr);
    ~TfmPreview() override;

    QPrinter &Printer() { return FPrinter; }
    QPrintPreviewWidget &Pane() const { return *Preview; }
    /// Returns the pane's zoom in per cent.
    int Zoom() const;

    /// Takes the zoom box's text ("75" or "75%"), clamps it to the bounds,
    /// sets it and shows it with "%"; text that is no number is refused with
    /// "Неверно указан масштаб".
    void ApplyZoomText();
    /// Sets the paper format of that name and builds the page again.
    void SetPaper(const QString &name);
    /// Sets the orientation and builds the page again.
    void SetOrientation(QPageLayout::Orientation orientation);
    /// "Печать...": asks for the printer (or, without one, the PDF file) and
    /// prints the page with the pane's paper format and orientation.
    void Print();
    /// Prints the page on the printer as it is set up.
    void PrintPages();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateToolBar();
    void FillPapers();
    void BuildPage(QPrinter *printer);
    void Annotate();
    void ShowZoom();
    void CloseWindow();
    bool ChoosePdfFile();
    void Run(const std::function<void()> &command);

    QPointer<TfmDoc> FDocument;
    QPointer<QWidget> FDocumentFrame;
    Qt::WindowStates FDocumentState;
    QPrinter FPrinter;
    QList<QPageSize> FPapers;
    QPrintPreviewWidget *Preview;
    QToolBar *ToolBar;
    QAction *actPrint;
    QAction *actClose;
    QComboBox *cbZoom;
    QComboBox *cbPaper;
    QRadioButton *rbPortrait;
    QRadioButton *rbLandscape;
};
