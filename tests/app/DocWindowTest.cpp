#include "DocTestFixture.h"
#include "common/ActionRegistry.h"

#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QPrinter>
#include <QSignalSpy>
#include <QtTest>

// The document window driven as the user drives it: grid selection, the
// commands through the message window, the close question and printing.
class DocWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDocTestEnvironment> FEnv;
    TRecordingMessages FMessages;

    // Opens a window on a file of the model with holes in its key matrix.
    std::unique_ptr<TfmDoc> OpenWindow(const QList<std::tuple<int, int, QString>> &cells = {})
    {
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("w.xml"), 4, cells);
        auto window = std::make_unique<TfmDoc>(*FEnv->Manager, FMessages);
        window->Document().Open(path, 0);
        window->show();
        window->activateWindow();
        window->Grid().setFocus();
        return window;
    }

    // Returns a key cell (grid coordinates) with no key on the first layer
    // whose left neighbour has one.
    static QPoint GreyCell(const TLayout &layout)
    {
        for (int row = 0; row < layout.Rows(); ++row)
            for (int col = 1; col < layout.Columns(); ++col)
                if (!layout.Layers().Item(0).KeyAt(col, row) && layout.Layers().Item(0).KeyAt(col - 1, row))
                    return QPoint(col + 1, row + 1);
        return QPoint();
    }

    static QPoint CellCentre(const TKeyGrid &grid, int col, int row) { return grid.CellRect(col, row).center(); }

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Ravlin")); }
    void init()
    {
        FEnv = std::make_unique<TDocTestEnvironment>();
        FMessages = TRecordingMessages();
    }
    void cleanup() { FEnv.reset(); }

    void captionAndToolbarFollowTheDocument()
    {
        TfmDoc fresh(*FEnv->Manager, FMessages);
        QVERIFY(fresh.Caption().startsWith(QStringLiteral("Раскладка")));
        // The default model (1) has a key lock and a card reader.
        QVERIFY(fresh.findChild<QAction *>(QStringLiteral("acKeyLock"))->isEnabled());
        const QString path = FEnv->WriteLayoutFile(QStringLiteral("k30.xml"), 2, {});
        fresh.Document().Open(path, 0);
        QCOMPARE(fresh.Caption(), path);
        QVERIFY(!fresh.findChild<QAction *>(QStringLiteral("acKeyLock"))->isEnabled());
        QVERIFY(!fresh.findChild<QAction *>(QStringLiteral("acReader"))->isEnabled());
        QCOMPARE(fresh.Grid().ColCount(), fresh.Document().Layout().Columns() + 1);
        QCOMPARE(fresh.Grid().RowCount(), fresh.Document().Layout().Rows() + 1);
    }

    void cellsFillTheWindow()
    {
        auto window = OpenWindow();
        window->resize(900, 700);
        QApplication::processEvents();
        const TKeyGrid &grid = window->Grid();
        QCOMPARE(grid.ColWidth(0), 25);
        QCOMPARE(grid.RowHeight(0), 25);
        const QRect last = grid.CellRect(grid.ColCount() - 1, grid.RowCount() - 1);
        // The key cells share the width; the last ends four lines short of it.
        QCOMPARE(last.right() + 1, window->width() - 4 * grid.GridLineWidth());
        QVERIFY(last.right() < grid.width());
        QVERIFY(last.bottom() < grid.height());
    }

    // Grey cells are never current: a click leaves the selection, the keys
    // pass over them to the next key in their direction and stop at the last.
    void keysPassOverGreyCells()
    {
        auto window = OpenWindow();
        TKeyGrid &grid = window->Grid();
        const TLayout &layout = window->Document().Layout();
        const QPoint grey = GreyCell(layout);
        QVERIFY(!grey.isNull());
        const auto hasKey = [&](int col, int row) { return layout.Layers().Item(0).KeyAt(col - 1, row - 1); };
        const auto keyCells = [&](int row) {
            QList<int> cols;
            for (int col = 1; col <= layout.Columns(); ++col)
                if (hasKey(col, row))
                    cols << col;
            return cols;
        };
        const QList<int> row = keyCells(grey.y());
        const auto cell = [&](int col) { return TRect{col, grey.y(), col, grey.y()}; };
        const TRect start = cell(grey.x() - 1);
        window->Document().SetSelection(start);

        QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, grey.x(), grey.y()));
        QCOMPARE(layout.Selection(), start);
        QTest::keyClick(&grid, Qt::Key_Right);
        const qsizetype next = row.indexOf(grey.x() - 1) + 1;
        QCOMPARE(layout.Selection(), next < row.size() ? cell(row[next]) : start);
        QTest::keyClick(&grid, Qt::Key_Home);
        QCOMPARE(layout.Selection(), cell(row.first()));
        QTest::keyClick(&grid, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(layout.Selection(), (TRect{row.first(), grey.y(), row.last(), grey.y()}));
        QTest::keyClick(&grid, Qt::Key_End);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(layout.Selection(), cell(row.last()));

        int firstRow = 1;
        while (!hasKey(row.last(), firstRow))
            ++firstRow;
        int lastRow = layout.Rows();
        while (!hasKey(row.last(), lastRow))
            --lastRow;
        QTest::keyClick(&grid, Qt::Key_PageUp);
        QCOMPARE(layout.Selection(), (TRect{row.last(), firstRow, row.last(), firstRow}));
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QCOMPARE(layout.Selection(), (TRect{row.last(), lastRow, row.last(), lastRow}));
    }

    void clicksArrowsAndShiftSelectRanges()
    {
        auto window = OpenWindow();
        TKeyGrid &grid = window->Grid();
        QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, 1, 1));
        QCOMPARE(window->Document().Layout().Selection(), (TRect{1, 1, 1, 1}));
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(window->Document().Layout().Selection(), (TRect{1, 2, 1, 2}));
        QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(window->Document().Layout().Selection(), (TRect{1, 2, 2, 3}));
        QTest::keyClick(&grid, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(&grid, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(window->Document().Layout().Selection(), (TRect{1, 1, 2, 2}));
        QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, CellCentre(grid, 3, 3));
        QCOMPARE(window->Document().Layout().Selection(), (TRect{1, 2, 3, 3}));

        QTest::mousePress(&grid, Qt::LeftButton, {}, CellCentre(grid, 2, 1));
        QTest::mouseMove(&grid, CellCentre(grid, 3, 2));
        QMouseEvent move(QEvent::MouseMove, CellCentre(grid, 3, 2), grid.mapToGlobal(CellCentre(grid, 3, 2)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&grid, &move);
        QTest::mouseRelease(&grid, Qt::LeftButton, {}, CellCentre(grid, 3, 2));
        QCOMPARE(window->Document().Layout().Selection(), (TRect{2, 1, 3, 2}));
    }

    void enterAndDeleteReachTheirCommands()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A -A")}});
        QObject commands;
        QSignalSpy edits(TActionRegistry::Make(u"actEditKey", &commands), &QAction::triggered);
        window->UseCommands(TActionRegistry(commands));
        window->Document().SetSelection(TRect{1, 1, 1, 1});
        QTest::keyClick(&window->Grid(), Qt::Key_Return);
        QCOMPARE(edits.count(), 1);
        QTest::mouseDClick(&window->Grid(), Qt::LeftButton, {}, CellCentre(window->Grid(), 1, 1));
        QCOMPARE(edits.count(), 2);
        QTest::keyClick(&window->Grid(), Qt::Key_Delete);
        QVERIFY(CellCodes(window->Document().Layout(), 0, 0).isEmpty());
    }

    void clipboardThroughTheWindow()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A -A")}});
        const QString codes = CellCodes(window->Document().Layout(), 0, 0);
        window->Document().SetSelection(TRect{1, 1, 1, 1});
        window->Copy();
        QVERIFY(window->CanPaste());
        window->Document().SetSelection(TRect{2, 2, 3, 2});
        window->Paste();
        QCOMPARE(CellCodes(window->Document().Layout(), 1, 1), codes);
        QCOMPARE(CellCodes(window->Document().Layout(), 2, 1), codes);

        // Text that is no layout: the reader's error reaches the error
        // display through the menu command, the layout stays.
        QGuiApplication::clipboard()->setText(QStringLiteral("не раскладка"));
        const QString before = FEnv->Manager->LayoutToXML(window->Document().Layout());
        auto box = AnswerNextBox(QMessageBox::Ok);
        for (QAction *action : window->ContextMenu()->actions())
            if (action->objectName() == u"acPaste")
                action->trigger();
        QCOMPARE(box->Icon, QMessageBox::Critical);
        QVERIFY(!box->Text.isEmpty());
        QCOMPARE(FEnv->Manager->LayoutToXML(window->Document().Layout()), before);
    }

    void groupOverAGroupIsRefused()
    {
        auto window = OpenWindow();
        window->Document().SetSelection(TRect{1, 1, 2, 2});
        QVERIFY(window->CanGroup());
        window->Group();
        QVERIFY(window->CanUngroup());
        window->Document().SetSelection(TRect{2, 2, 3, 3});
        const QString before = FEnv->Manager->LayoutToXML(window->Document().Layout());
        auto box = AnswerNextBox(QMessageBox::Ok);
        window->Group();
        QCOMPARE(box->Caption, QStringLiteral("Ошибка"));
        QCOMPARE(box->Text, QStringLiteral("Пересечение групп. Группирование невозможно."));
        QCOMPARE(box->Icon, QMessageBox::Critical);
        QCOMPARE(FEnv->Manager->LayoutToXML(window->Document().Layout()), before);
        window->Ungroup();
        QVERIFY(!window->CanUngroup());
        window->Document().SetSelection(TRect{1, 1, 1, 1});
        QVERIFY(!window->CanGroup());
    }

    void checkFindAndReplaceReportToTheMessageWindow()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A -A")}, {1, 0, QStringLiteral("+A -A")}});
        auto box = AnswerNextBox(QMessageBox::Ok);
        window->Check();
        QCOMPARE(box->Caption, QStringLiteral("Ravlin"));
        QCOMPARE(box->Text, QStringLiteral("Ошибок нет."));
        QCOMPARE(box->Icon, QMessageBox::Information);

        const QString text = CellCodes(window->Document().Layout(), 0, 0);
        window->Document().SetSelection(TRect{1, 1, 1, 1});
        window->Find(text);
        QCOMPARE(FMessages.Shows, 1);
        QCOMPARE(FMessages.Lines.size(), 2);
        QVERIFY(FMessages.Lines[0].startsWith(QStringLiteral("[Поиск] Слой 1. Клавиша (1,")));

        box = AnswerNextBox(QMessageBox::Ok);
        window->Find(QStringLiteral("нет такого"));
        QCOMPARE(box->Caption, QStringLiteral("Поиск"));
        QCOMPARE(box->Text, QStringLiteral("Не удается найти \"нет такого\""));
        QCOMPARE(box->Icon, QMessageBox::Information);

        box = AnswerNextBox(QMessageBox::Ok);
        window->Replace(QStringLiteral("нет такого"), QStringLiteral("x"));
        QCOMPARE(box->Caption, QStringLiteral("Замена"));
        QCOMPARE(box->Text, QStringLiteral("Не удается найти \"нет такого\""));

        window->Replace(text, QStringLiteral("B"));
        QCOMPARE(FMessages.Lines, QStringList{QStringLiteral("[Замена] (%1->B) Количество замен: 2").arg(text)});
        QCOMPARE(FMessages.Tags, QList<int>{int(window->Document().Layout().InstanceNumber())});
        QCOMPARE(FMessages.Shows, 2);
    }

    void faultsAreListed()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A")}});
        window->Check();
        QVERIFY(!FMessages.Lines.isEmpty());
        QVERIFY(FMessages.Lines[0].startsWith(QStringLiteral("[Ошибка(")));
        QCOMPARE(FMessages.Shows, 1);
    }

    void goToMessageSelectsTheKey()
    {
        auto window = OpenWindow();
        QVERIFY(window->GoToMessage(QStringLiteral("[Поиск] Слой 1. Клавиша (2,3).")));
        QCOMPARE(window->Document().Layout().Selection(), (TRect{3, 2, 3, 2}));
        QCOMPARE(window->Grid().Selection(), (TRect{3, 2, 3, 2}));
        QVERIFY(!window->GoToMessage(QStringLiteral("[Поиск] Слой 1. Клавиша (99,3).")));
        QVERIFY(!window->GoToMessage(QStringLiteral("что-то другое")));
        QCOMPARE(window->Document().Layout().Selection(), (TRect{3, 2, 3, 2}));
    }

    void closeAsksOnlyWhenModified()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A -A")}});
        QVERIFY(window->close());

        window = OpenWindow({{0, 0, QStringLiteral("+A -A")}});
        window->Document().SetSelection(TRect{1, 1, 1, 1});
        window->Clear();
        auto box = AnswerNextBox(QMessageBox::Cancel);
        QVERIFY(!window->close());
        QCOMPARE(box->Caption, QStringLiteral("Внимание"));
        QCOMPARE(box->Text, QStringLiteral("Раскладка [%1] была изменена. Сохранить?").arg(window->Caption()));
        QCOMPARE(box->Icon, QMessageBox::Question);
        QVERIFY(window->Document().IsModified());

        box = AnswerNextBox(QMessageBox::No);
        QVERIFY(window->close());
        TLayoutDocument onDisk(*FEnv->Manager);
        onDisk.Open(window->Document().FileName(), 0);
        QVERIFY(!CellCodes(onDisk.Layout(), 0, 0).isEmpty());
    }

    void closeWithYesSaves()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A -A")}});
        window->Document().SetSelection(TRect{1, 1, 1, 1});
        window->Clear();
        auto box = AnswerNextBox(QMessageBox::Yes);
        QVERIFY(window->close());
        QVERIFY(!window->Document().IsModified());
        TLayoutDocument onDisk(*FEnv->Manager);
        onDisk.Open(window->Document().FileName(), 0);
        QVERIFY(CellCodes(onDisk.Layout(), 0, 0).isEmpty());
    }

    // Ctrl with plus (also "=" and the keypad's), minus and zero zooms the
    // grid's font by steps. Past the window's room the cells keep room for
    // every layer's line and the grid scrolls, its headers beside the current
    // cell. Each view mode keeps its zoom in the settings; every window of
    // the mode follows, and a new one opens with it.
    void zoomKeysScaleTheGridPerViewMode()
    {
        auto window = OpenWindow();
        window->resize(900, 700);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        TKeyGrid &grid = window->Grid();
        const int normal = QFontInfo(grid.font()).pixelSize();
        QTest::keyClick(&grid, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(window->Zoom(), 120);
        QVERIFY(QFontInfo(grid.font()).pixelSize() > normal);
        QCOMPARE(FEnv->Manager->Settings().Zoom(vmLayout), 120);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(&grid, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(window->Zoom(), 300);
        QApplication::processEvents();
        const int lineHeight = QFontMetrics(grid.font()).boundingRect(QStringLiteral("999")).height();
        QVERIFY(grid.RowHeight(1) >= 4 * lineHeight);
        QVERIFY(grid.ContentSize().height() > grid.height());
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QTest::keyClick(&grid, Qt::Key_End);
        const QRect current = grid.CellRect(grid.Col(), grid.Row());
        QVERIFY(grid.rect().contains(current));
        QCOMPARE(grid.CellRect(0, grid.Row()).top(), current.top());
        QTest::keyClick(&grid, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(window->Zoom(), 270);

        window->SetViewMode(vmPicture);
        QCOMPARE(window->Zoom(), 100);
        window->SetViewMode(vmLayout);
        QCOMPARE(window->Zoom(), 270);
        TfmDoc other(*FEnv->Manager, FMessages);
        QCOMPARE(other.Zoom(), 270);
        QTest::keyClick(&grid, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(other.Zoom(), 100);
        QCOMPARE(QFontInfo(grid.font()).pixelSize(), normal);
        QCOMPARE(FEnv->Manager->Settings().Zoom(vmLayout), 100);
    }

    void printsToPdf()
    {
        auto window = OpenWindow({{0, 0, QStringLiteral("+A -A")}});
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = FEnv->FilePath(QStringLiteral("print.pdf"));
        printer.setOutputFileName(path);
        window->Print(printer);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.size() > 1000);
    }
};

QTEST_MAIN(DocWindowTest)
#include "DocWindowTest.moc"
