#include "DocTestFixture.h"

#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "preview/PreviewCommands.h"
#include "preview/fmuPreview.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGraphicsLineItem>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

// The print preview shows the document window's printout with zoom, paper
// and orientation, prints it (into a PDF file on this machine, which has no
// printers) and, while open, tells the main window to put its toolbars and
// document commands away.
class PreviewWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnvironment;
    TRecordingMessages FMessages;
    TfmDoc *FDocument = nullptr;
    TfmPreview *FPreview = nullptr;

    QComboBox *Zoom() const { return FPreview->findChild<QComboBox *>(QStringLiteral("cbZoom")); }

    void EnterZoom(const QString &text)
    {
        // Keys go to the box, which has the focus and hands them to its line.
        Zoom()->lineEdit()->selectAll();
        QTest::keyClicks(Zoom(), text);
        QTest::keyClick(Zoom(), Qt::Key_Return);
    }

    // Returns the annotation lines over the pages of the preview: dotted,
    // light grey, of width 0.
    QList<QLineF> AnnotationLines() const
    {
        QList<QLineF> lines;
        const auto *view = FPreview->Pane().findChild<QGraphicsView *>();
        for (const QGraphicsItem *item : view->scene()->items())
            if (const auto *line = qgraphicsitem_cast<const QGraphicsLineItem *>(item))
                if (line->pen().color() == QColor(0xC0, 0xC0, 0xC0) && line->pen().style() == Qt::DotLine &&
                    line->pen().widthF() == 0)
                    lines << line->line();
        return lines;
    }

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }

    void init()
    {
        FEnvironment = std::make_unique<TDocTestEnvironment>();
        FDocument = new TfmDoc(*FEnvironment->Manager, FMessages);
        FEnvironment->Manager->SetLayoutModel(const_cast<TLayout &>(FDocument->Document().Layout()), 3);
        FDocument->SetUntitledCaption(QStringLiteral("Раскладка1"));
        FPreview = new TfmPreview(*FDocument, FEnvironment->Manager->Settings().Font());
        FPreview->show();
        QVERIFY(QTest::qWaitForWindowExposed(FPreview));
    }

    void cleanup()
    {
        delete FPreview;
        delete FDocument;
        FEnvironment.reset();
    }

    void opensAtFullSizeWithThePrintersPaper()
    {
        QCOMPARE(FPreview->windowTitle(), QStringLiteral("Предварительный просмотр"));
        QCOMPARE(Zoom()->currentText(), QStringLiteral("100%"));
        QCOMPARE(FPreview->Zoom(), 100);
        QStringList entries;
        for (int i = 0; i < Zoom()->count(); ++i)
            entries << Zoom()->itemText(i);
        QCOMPARE(entries.join(u' '), QStringLiteral("50% 75% 100% 150% 200% 250% 300% 350% 400% 450% 500%"));
        auto *paper = FPreview->findChild<QComboBox *>(QStringLiteral("cbPaper"));
        QVERIFY(!paper->isEditable());
        QVERIFY(paper->count() > 10);
        QCOMPARE(paper->currentText(), FPreview->Printer().pageLayout().pageSize().name());
        QVERIFY(FPreview->findChild<QRadioButton *>(QStringLiteral("rbPortrait"))->isChecked());
        QCOMPARE(FPreview->Pane().pageCount(), 1);
    }

    void zoomEntriesAreClampedAndChecked()
    {
        EnterZoom(QStringLiteral("1000"));
        QCOMPARE(FPreview->Zoom(), TfmPreview::kMaxZoom);
        QCOMPARE(Zoom()->currentText(), QStringLiteral("500%"));

        EnterZoom(QStringLiteral("75"));
        QCOMPARE(FPreview->Zoom(), 75);
        QCOMPARE(Zoom()->currentText(), QStringLiteral("75%"));

        EnterZoom(QStringLiteral("1%"));
        QCOMPARE(FPreview->Zoom(), TfmPreview::kMinZoom);

        Zoom()->setCurrentIndex(4);
        emit Zoom()->activated(4);
        QCOMPARE(FPreview->Zoom(), 200);

        const auto answer = AnswerNextBox(QMessageBox::Ok);
        EnterZoom(QStringLiteral("abc"));
        QCOMPARE(answer->Text, QStringLiteral("Неверно указан масштаб"));
        QCOMPARE(answer->Caption, QStringLiteral("Ravlin"));
        QCOMPARE(answer->Icon, QMessageBox::Warning);
        QCOMPARE(FPreview->Zoom(), 200);
    }

    void orientationAndPaperRebuildThePage()
    {
        QSignalSpy built(&FPreview->Pane(), &QPrintPreviewWidget::paintRequested);
        const QSizeF portrait = FPreview->Printer().pageLayout().fullRect(QPageLayout::Millimeter).size();
        QTest::mouseClick(FPreview->findChild<QRadioButton *>(QStringLiteral("rbLandscape")), Qt::LeftButton);
        QCOMPARE(built.count(), 1);
        QCOMPARE(FPreview->Pane().orientation(), QPageLayout::Landscape);
        QCOMPARE(FPreview->Printer().pageLayout().fullRect(QPageLayout::Millimeter).size(),
                 portrait.transposed());
        // The page is drawn in tenths of a millimetre whatever the orientation.
        QCOMPARE(FPreview->Printer().resolution(), 254);

        FPreview->SetPaper(QPageSize(QPageSize::A5).name());
        QCOMPARE(built.count(), 2);
        QVERIFY(FPreview->Printer().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
    }

    void printableAreaIsMarkedInThePreviewOnly()
    {
        const QPageLayout layout = FPreview->Printer().pageLayout();
        const QRectF paper = layout.fullRectPixels(254);
        const QRectF area = layout.paintRectPixels(254);
        const QList<QLineF> lines = AnnotationLines();
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.contains(QLineF(area.left(), 0, area.left(), paper.height())));
        QVERIFY(lines.contains(QLineF(0, area.bottom(), paper.width(), area.bottom())));
        // Zooming keeps the pages and their marks.
        EnterZoom(QStringLiteral("150"));
        QCOMPARE(AnnotationLines().size(), 4);
    }

    void printsIntoAPdfFile()
    {
        const QString pdf = FEnvironment->FilePath(QStringLiteral("раскладка.pdf"));
        QTimer::singleShot(50, this, [pdf] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(pdf);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        FPreview->findChild<QAction *>(QStringLiteral("actPrint"))->trigger();
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(file.size() > 1000);
    }

    // The command opens the preview maximized in the document area, tells
    // the main window, and on "Закрыть" gives the document its window state
    // back.
    void commandOpensAndClosesThePreview()
    {
        delete FPreview;
        FPreview = nullptr;
        QWidget window;
        auto *area = new QMdiArea(&window);
        area->resize(800, 600);
        QMdiSubWindow *frame = area->addSubWindow(FDocument);
        frame->showNormal();
        window.show();
        TPreviewCommands commands(*FEnvironment->Manager, area, window);
        commands.SetActive(FDocument);
        QCOMPARE(commands.actFilePreview->shortcut(), QKeySequence(QStringLiteral("Ctrl+W")));
        QCOMPARE(commands.actFilePreview->iconText(), QStringLiteral("Просмотр"));

        FDocument->SetViewMode(vmLayout);
        commands.UpdateState(FDocument);
        QVERIFY(!commands.actFilePreview->isEnabled());
        FDocument->SetViewMode(vmPicture);
        commands.UpdateState(FDocument);
        QVERIFY(commands.actFilePreview->isEnabled());
        commands.UpdateState(nullptr);
        QVERIFY(!commands.actFilePreview->isEnabled());

        QSignalSpy changes(&commands, &TPreviewCommands::previewOpenChanged);
        commands.UpdateState(FDocument);
        commands.actFilePreview->trigger();
        QVERIFY(commands.IsOpen());
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toBool(), true);
        auto *previewFrame = qobject_cast<QMdiSubWindow *>(commands.Preview()->parentWidget());
        QVERIFY(previewFrame);
        QVERIFY(previewFrame->isMaximized());
        commands.UpdateState(FDocument);
        QVERIFY2(!commands.actFilePreview->isEnabled(), "one preview at a time");

        commands.Preview()->findChild<QAction *>(QStringLiteral("actClose"))->trigger();
        QTRY_COMPARE(changes.count(), 2);
        QVERIFY(!commands.IsOpen());
        QCOMPARE(changes.at(1).at(0).toBool(), false);
        QVERIFY(!frame->isMaximized());
        area->removeSubWindow(FDocument);
        FDocument->setParent(nullptr);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "PreviewWindowTest.moc"
