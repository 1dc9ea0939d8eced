#include "DocTestFixture.h"

#include "common/BaseForm.h"
#include "document/ArrowCtrl.h"
#include "document/GridLines.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "model/Font.h"
#include "model/KeyPicture.h"

#include <QFontDatabase>
#include <QMenu>
#include <QtTest>

// What the grid draws, read back from a grab of the window in every view.
class DocRenderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    TRecordingMessages FMessages;
    std::unique_ptr<TfmDoc> FWindow;

    static constexpr QRgb kRed = qRgb(255, 0, 0);

    QImage Grab() { return FWindow->Grid().grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect Cell(int col, int row) const { return FWindow->Grid().CellRect(col, row); }

    // Counts the pixels of a colour (with a little tolerance for smoothing).
    static int CountLike(const QImage &image, const QRect &area, QRgb colour)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::abs(qRed(p) - qRed(colour)) < 40 && std::abs(qGreen(p) - qGreen(colour)) < 40
                    && std::abs(qBlue(p) - qBlue(colour)) < 40)
                    ++count;
            }
        return count;
    }

    // The rectangle of text line `line` (from 0) of a code cell.
    QRect Line(int col, int row, int line) const
    {
        const int height = QFontMetrics(FWindow->Grid().font()).boundingRect(QStringLiteral("999")).height();
        const QRect cell = Cell(col, row);
        return QRect(cell.left() + 2, cell.top() + 1 + line * height, cell.width() - 4, height);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
        FEnv = std::make_unique<TDocTestEnvironment>();
        TLayout layout;
        FEnv->Manager->SetLayoutModel(layout, 1);
        layout.Layers().Item(0).KeyAtOrFail(0, 0).MakeCodes().SetText(u"+A -A");
        layout.Layers().Item(2).KeyAtOrFail(0, 0).MakeCodes().SetText(u"+B -B");
        layout.SetKeyTypeAll(1, 0, ktTempLayer2);
        layout.Layers().Item(0).KeyAtOrFail(4, 4).Picture().SetBackgroundColor(0x00FF0000);
        layout.Group(TRect{2, 2, 3, 3});
        layout.SetSelection(TRect{6, 6, 6, 6});
        const QString path = FEnv->FilePath(QStringLiteral("render.xml"));
        FEnv->Manager->SaveLayout(layout, 0, path);

        FWindow = std::make_unique<TfmDoc>(*FEnv->Manager, FMessages);
        FWindow->Document().Open(path, 0);
        FWindow->resize(900, 800);
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }

    void cleanupTestCase()
    {
        FWindow.reset();
        FEnv.reset();
    }

    void formFontIsASystemFaceForTheDefault()
    {
        TFont font;
        font.SetName(QStringLiteral("MS Sans Serif"));
        font.SetSize(8);
        const QFont qt = TBaseForm::FormFont(font);
        QVERIFY(QFontDatabase::hasFamily(qt.family()));
        QCOMPARE(qt.pixelSize(), 11);
    }

    void oneLayerShown()
    {
        FWindow->SetViewMode(vmLayout);
        FWindow->SetShownLayer(3);
        const QImage image = Grab();
        const QRect corner = Cell(0, 0);
        QCOMPARE(image.pixel(corner.left() + 2, corner.top() + 2), kRed);
        QVERIFY(CountLike(image, corner, qRgb(0, 0, 0)) > 0);
        // A key cell without text is light green; a grey one stays grey.
        QCOMPARE(image.pixel(Cell(8, 8).center()), TKeyGrid::kShownLayerColor);
        // Layer 3's text is dark red, layer 1's black.
        QVERIFY(CountLike(image, Line(1, 1, 2), TKeyGrid::kShownLayerTextColor) > 0);
        QCOMPARE(CountLike(image, Line(1, 1, 0), TKeyGrid::kShownLayerTextColor), 0);
        QVERIFY(CountLike(image, Line(1, 1, 0), qRgb(0, 0, 0)) > 0);
        // The selected cell has the highlight colour.
        QCOMPARE(image.pixel(Cell(6, 6).center()), FWindow->Grid().palette().color(QPalette::Highlight).rgb());
        // The temporary layer 2 key: a red arrow in every layer's own line,
        // the digit "2" dark red in the shown layer's line.
        for (int line = 0; line < 4; ++line)
            QVERIFY(CountLike(image, Line(2, 1, line), kRed) > 0);
        QVERIFY(CountLike(image, Line(2, 1, 2), TKeyGrid::kShownLayerTextColor) > 0);
        // The group's outline is black on its top-left cell's top and left.
        const QRect group = Cell(3, 3);
        QCOMPARE(image.pixel(group.center().x(), group.top()), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(group.left(), group.center().y()), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(group.right(), group.center().y()), TKeyGrid::kShownLayerColor);
    }

    void allLayersShown()
    {
        FWindow->SetViewMode(vmLayout);
        FWindow->SetShownLayer(0);
        const QImage image = Grab();
        const QPalette palette = FWindow->Grid().palette();
        QCOMPARE(image.pixel(Cell(0, 0).center()), palette.color(QPalette::Button).rgb());
        QCOMPARE(image.pixel(Cell(8, 8).center()), palette.color(QPalette::Base).rgb());
        QCOMPARE(CountLike(image, Cell(1, 1), kRed), 0);
        QVERIFY(CountLike(image, Line(1, 1, 2), qRgb(0, 0, 0)) > 0);
        QVERIFY(CountLike(image, Line(2, 1, 1), kRed) > 0);
    }

    void selectedGroupCellsHaveASilverOutline()
    {
        FWindow->SetViewMode(vmLayout);
        FWindow->Document().SetSelection(TRect{3, 3, 4, 4});
        const QImage image = Grab();
        const QRect group = Cell(3, 3);
        QCOMPARE(image.pixel(group.center().x(), group.top()), TKeyGrid::kGroupSelectedColor);
        QCOMPARE(image.pixel(group.center().x(), group.top() + 1), TKeyGrid::kGroupSelectedColor);
        FWindow->Document().SetSelection(TRect{6, 6, 6, 6});
    }

    void pictureView()
    {
        FWindow->SetViewMode(vmPicture);
        FWindow->SetShownLayer(3);
        const QImage image = Grab();
        QCOMPARE(image.pixel(Cell(5, 5).center()), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(Cell(8, 8).center()), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(Cell(6, 6).center()), FWindow->Grid().palette().color(QPalette::Highlight).rgb());
        QCOMPARE(FWindow->ContextMenu()->objectName(), QStringLiteral("PictureMenu"));
    }

    void simplifiedView()
    {
        FWindow->SetViewMode(vmSimplified);
        FWindow->SetShownLayer(3);
        const QImage image = Grab();
        QVERIFY(CountLike(image, Line(1, 1, 2), TKeyGrid::kShownLayerTextColor) > 0);
        QCOMPARE(image.pixel(Cell(8, 8).center()), TKeyGrid::kShownLayerColor);
        QCOMPARE(FWindow->ContextMenu()->objectName(), QStringLiteral("CodeMenu"));
    }

    // A line wider than its cell is cut where Qt would cut it, whole lines
    // stay whole, and a narrower cell cuts the same text again.
    void linesCutAsQtCutsThem()
    {
        TGridLines lines;
        const QFont font = FWindow->Grid().font();
        const QFontMetricsF metrics(font);
        const QString codes = QStringLiteral("+LShift +A -A -LShift +E0 +1C -1C");
        const QString russian = QStringLiteral("Клавиша оплаты наличными");
        for (const QString &text : {codes, russian})
            for (const int width : {400, 60, 25, 3}) {
                const QString expected = metrics.horizontalAdvance(text) <= width
                                             ? text
                                             : metrics.elidedText(text, Qt::ElideRight, width);
                const QStaticText &shown = lines.Line(text, width, font);
                QCOMPARE(shown.text(), expected);
                QVERIFY(shown.size().width() <= width || expected.size() <= 1);
            }
    }

    void arrowPictures()
    {
        QCOMPARE(TArrowCtrl::BitmapName(2, false), QStringLiteral("BLUP"));
        QCOMPARE(TArrowCtrl::BitmapName(3, true), QStringLiteral("BLDNS"));
        QCOMPARE(TArrowCtrl::BitmapName(6, false), QStringLiteral("GRUP"));
        QCOMPARE(TArrowCtrl::BitmapName(9, true), QStringLiteral("RDUPS"));
        QCOMPARE(TArrowCtrl::Digit(9), QStringLiteral("2"));
        QCOMPARE(TArrowCtrl::Digit(7), QStringLiteral("4"));
        QVERIFY(TArrowCtrl::Digit(3).isEmpty());
    }
};

QTEST_MAIN(DocRenderTest)
#include "DocRenderTest.moc"
