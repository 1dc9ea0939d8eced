#include "common/ActionRegistry.h"
#include "DocTestFixture.h"

#include "base/Error.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "model/Graphic.h"
#include "model/KeyPicture.h"
#include "pictures/GraphicFiles.h"
#include "pictures/GraphicPreview.h"
#include "pictures/PictureCommands.h"
#include "pictures/fmuPicture.h"

#include <QAction>
#include <QBuffer>
#include <QFileDialog>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

QByteArray Encoded(const QSize &size, QRgb color, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TriggerMenu(const TfmDoc &window, const QString &caption)
{
    for (QAction *action : window.ContextMenu()->actions())
        if (action->text() == caption) {
            action->trigger();
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no menu item ") + caption));
}

} // namespace

// The key picture window on the selected keys of a document window in the
// picture view: every edit writes only what it changed, bad image files are
// refused, saving writes the graphic's own bytes.
class PictureWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    TRecordingMessages FMessages;
    std::unique_ptr<QWidget> FHost;
    std::unique_ptr<TPictureCommands> FCommands;
    std::unique_ptr<TfmDoc> FWindow;
    QByteArray FBitmap;

    TfmPicture &Picture() const { return FCommands->PictureWindow(); }
    TLayoutDocument &Document() const { return FWindow->Document(); }

    // Opens a picture view on a 6 by 5 layout whose keys (0,0), (1,0) and
    // (2,0) have the texts "A", "B" and "C" and each its own bitmap; (1,0)
    // switches layers. The three keys are selected.
    void OpenWindow()
    {
        TLayout layout;
        FEnv->Manager->SetLayoutModel(layout, 2);
        const QRgb colors[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        for (int col = 0; col < 3; ++col) {
            TKeyPicture &picture = layout.Layers().Item(0).KeyAtOrFail(col, 0).Picture();
            picture.SetText(QString(QChar(u'A' + col)));
            picture.SetPicture(TGraphic::FromData(u"TBitmap", Encoded(QSize(8, 6), colors[col], "BMP")));
        }
        FBitmap = PictureAt(layout, 0, 0).Picture().Data();
        layout.Layers().Item(0).KeyAtOrFail(1, 0).SetKeyType(ktLayerUp);
        layout.SetSelection(TRect{1, 1, 3, 1});
        const QString path = FEnv->FilePath(QStringLiteral("pictures.xml"));
        FEnv->Manager->SaveLayout(layout, 0, path);

        FWindow = std::make_unique<TfmDoc>(*FEnv->Manager, FMessages);
        FWindow->Document().Open(path, 0);
        FWindow->SetViewMode(vmPicture);
        FCommands->SetActive(FWindow.get());
        // The main window sends its key command to the picture window in
        // the picture view.
        QAction *editKey = TActionRegistry::Make(u"actEditKey", FHost.get());
        connect(editKey, &QAction::triggered, FCommands.get(), [this] { FCommands->EditKey(*FWindow); });
        FWindow->UseCommands(TActionRegistry(*FHost));
        FWindow->show();
    }

    static const TKeyPicture &PictureAt(const TLayout &layout, int col, int row)
    {
        return layout.Layers().Item(0).KeyAtOrFail(col, row).Picture();
    }

    // Checks that keys 0 to 2 still have their texts and bitmaps.
    void VerifyTextsAndImagesKept() const
    {
        for (int col = 0; col < 3; ++col) {
            QCOMPARE(PictureAt(Document().Layout(), col, 0).Text(), QString(QChar(u'A' + col)));
            QCOMPARE(PictureAt(Document().Layout(), col, 0).Picture().ClassName(), QStringLiteral("TBitmap"));
        }
        QCOMPARE(PictureAt(Document().Layout(), 0, 0).Picture().Data(), FBitmap);
    }

private slots:
    void init()
    {
        FEnv = std::make_unique<TDocTestEnvironment>();
        FHost = std::make_unique<QWidget>();
        FCommands = std::make_unique<TPictureCommands>(*FEnv->Manager, *FHost);
        OpenWindow();
    }
    void cleanup()
    {
        FWindow.reset();
        FCommands.reset();
        FHost.reset();
        FEnv.reset();
    }

    void captionNamesRowAndColumnOfTheSelection()
    {
        QCOMPARE(Picture().windowTitle(), QStringLiteral("Клавиши (1,1)-(1,3)"));
        Document().SetSelection(TRect{3, 2, 3, 2});
        QCOMPARE(Picture().windowTitle(), QStringLiteral("Клавиша (2,3)"));
        Document().SetSelection(TRect{2, 1, 4, 3});
        QCOMPARE(Picture().windowTitle(), QStringLiteral("Клавиши (1,2)-(3,4)"));
    }

    void changingOnlyTheFontKeepsTextsAndImages()
    {
        Document().SetSelection(TRect{1, 1, 3, 1});
        bool ran = false;
        AnswerNextDialog<QFontDialog>([&ran](QFontDialog *dialog) {
            ran = true;
            dialog->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 14));
            dialog->accept();
        });
        TriggerMenu(*FWindow, QStringLiteral("Изменить шрифт..."));
        QVERIFY(ran);
        for (int col = 0; col < 3; ++col)
            QCOMPARE(PictureAt(Document().Layout(), col, 0).Font().Name(), QStringLiteral("DejaVu Serif"));
        VerifyTextsAndImagesKept();
        QCOMPARE(Picture().findChild<QLabel *>(QStringLiteral("pnlText"))->font().family(),
                 QStringLiteral("DejaVu Serif"));
        QCOMPARE(Document().Layout().Layers().Item(0).KeyAtOrFail(1, 0).KeyType(), ktLayerUp);
    }

    void textAndOrientationEditsWriteOnlyThemselves()
    {
        Picture().show();
        auto *text = Picture().findChild<QLineEdit *>(QStringLiteral("edText"));
        QCOMPARE(text->text(), QStringLiteral("A"));
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("Key"));
        for (int col = 0; col < 3; ++col)
            QCOMPARE(PictureAt(Document().Layout(), col, 0).Text(), QStringLiteral("Key"));
        QTest::mouseClick(Picture().findChild<QRadioButton *>(QStringLiteral("rbVertical")), Qt::LeftButton);
        for (int col = 0; col < 3; ++col)
            QCOMPARE(PictureAt(Document().Layout(), col, 0).TextOrientation(), 1);
        QCOMPARE(PictureAt(Document().Layout(), 2, 0).Picture().ClassName(), QStringLiteral("TBitmap"));
        QCOMPARE(Picture().findChild<QLabel *>(QStringLiteral("pnlText"))->text(), QStringLiteral("K\ne\ny"));

        QTest::mouseClick(Picture().findChild<QPushButton *>(QStringLiteral("btnClear")), Qt::LeftButton);
        for (int col = 0; col < 3; ++col) {
            QVERIFY(!PictureAt(Document().Layout(), col, 0).HasGraphic());
            QCOMPARE(PictureAt(Document().Layout(), col, 0).Text(), QStringLiteral("Key"));
        }
    }

    void badImageFilesAreRefusedAndKeysKeepTheirPictures()
    {
        const QString garbage = WriteFile(FEnv->FilePath(QStringLiteral("garbage.png")), "no picture at all");
        const QString garbageConverted = WriteFile(FEnv->FilePath(QStringLiteral("garbage.ppm")), "P6 no picture");
        const QString oversized = WriteFile(FEnv->FilePath(QStringLiteral("big.bmp")),
                                            Encoded(QSize(400, 400), qRgb(1, 2, 3), "BMP"));
        const QString unknown = WriteFile(FEnv->FilePath(QStringLiteral("notes.txt")), "C1;10;5");
        const QString tooWide = WriteFile(FEnv->FilePath(QStringLiteral("wide.png")),
                                          Encoded(QSize(5000, 2), qRgb(1, 2, 3), "PNG"));
        for (const QString &file : {garbage, garbageConverted, oversized, unknown, tooWide}) {
            try {
                Picture().LoadImageFile(file);
                QFAIL(qPrintable(file + QStringLiteral(" accepted")));
            } catch (const EError &error) {
                QVERIFY2(!error.Message().isEmpty(), qPrintable(file));
            }
        }
        VerifyTextsAndImagesKept();
        QVERIFY(!Document().IsModified());

        // Through the menu the refusal is shown with its reason.
        QString dialogName;
        AnswerNextDialog<QFileDialog>([&dialogName](QFileDialog *dialog) { dialogName = dialog->objectName(); });
        AnswerFileDialog(garbage);
        const std::shared_ptr<TBoxAnswer> box = AnswerNextBox(QMessageBox::Ok);
        TriggerMenu(*FWindow, QStringLiteral("Загрузить картинку..."));
        QCOMPARE(dialogName, QStringLiteral("dlgOpenPicture"));
        QTRY_VERIFY(!box->Text.isEmpty());
        QVERIFY2(box->Text.contains(QStringLiteral("не является изображением")), qPrintable(box->Text));
        VerifyTextsAndImagesKept();
        QVERIFY(!Document().IsModified());
    }

    void everyImageFormatQtReadsIsOffered()
    {
        const QString filter = GraphicFileFilter();
        for (const char *pattern : {"*.bmp", "*.jpg", "*.ico", "*.png", "*.emf", "*.ppm", "*.xpm"})
            QVERIFY2(filter.contains(QLatin1String(pattern)), pattern);

        // A graphic kind of its own keeps its bytes; another format becomes PNG.
        Document().SetSelection(TRect{4, 1, 5, 1});
        const QByteArray jpeg = Encoded(QSize(10, 7), qRgb(9, 9, 9), "JPG");
        Picture().LoadImageFile(WriteFile(FEnv->FilePath(QStringLiteral("a.jpeg")), jpeg));
        QCOMPARE(PictureAt(Document().Layout(), 4, 0).Picture().ClassName(), QStringLiteral("TJPEGImage"));
        QCOMPARE(PictureAt(Document().Layout(), 3, 0).Picture().Data(), jpeg);
        Picture().LoadImageFile(WriteFile(FEnv->FilePath(QStringLiteral("b.ppm")),
                                          Encoded(QSize(12, 5), qRgb(200, 10, 10), "PPM")));
        const TGraphic &converted = PictureAt(Document().Layout(), 3, 0).Picture();
        QCOMPARE(converted.ClassName(), QStringLiteral("TPngImage"));
        QCOMPARE(converted.Image().size(), QSize(12, 5));
        QCOMPARE(converted.Image().pixelColor(3, 3), QColor(200, 10, 10));
        QCOMPARE(Picture().findChild<TGraphicPreview *>(QStringLiteral("imgPicture"))->Graphic(), converted);
    }

    void savingWritesTheGraphicsOwnBytes()
    {
        // The selection's top-left key gives the picture, whatever the others hold.
        Document().SetSelection(TRect{1, 1, 3, 1});
        const QString target = FEnv->FilePath(QStringLiteral("saved.bmp"));
        QStringList filters;
        AnswerNextDialog<QFileDialog>([&filters](QFileDialog *dialog) { filters = dialog->nameFilters(); });
        AnswerFileDialog(target);
        TriggerMenu(*FWindow, QStringLiteral("Сохранить картинку..."));
        QCOMPARE(filters, QStringList{QStringLiteral("*.bmp")});
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), FBitmap);
        QVERIFY(!Document().IsModified());
    }

    void enterAndDoubleClickOpenEscapeHidesTheLastDocumentClears()
    {
        FWindow->Grid().setFocus();
        QTest::keyClick(&FWindow->Grid(), Qt::Key_Return);
        QVERIFY(Picture().isVisible());
        QTest::keyClick(&Picture(), Qt::Key_Escape);
        QVERIFY(!Picture().isVisible());
        const QPoint cell = FWindow->Grid().CellRect(2, 1).center();
        QTest::mouseDClick(&FWindow->Grid(), Qt::LeftButton, {}, cell);
        QVERIFY(Picture().isVisible());
        Picture().hide();

        // In the other views the request belongs to the key dialog.
        FWindow->SetViewMode(vmLayout);
        QVERIFY(!FCommands->EditKey(*FWindow));
        QVERIFY(!Picture().isVisible());

        FCommands->SetActive(nullptr);
        QCOMPARE(Picture().windowTitle(), QStringLiteral("Рисунок"));
        QVERIFY(Picture().findChild<QLineEdit *>(QStringLiteral("edText"))->text().isEmpty());
        QVERIFY(Picture().findChild<TGraphicPreview *>(QStringLiteral("imgPicture"))->Graphic().IsEmpty());
        QCOMPARE(Picture().findChild<QLabel *>(QStringLiteral("pnlText"))->palette().color(QPalette::Window),
                 QColor(Qt::white));
        QVERIFY(!Picture().Document());
        // A window without a document changes nothing.
        Picture().ClearImage();
        VerifyTextsAndImagesKept();
    }
};

QTEST_MAIN(PictureWindowTest)
#include "PictureWindowTest.moc"
