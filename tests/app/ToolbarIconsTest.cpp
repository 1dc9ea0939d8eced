#include "common/AppIcon.h"
#include "common/EditorStyle.h"
#include "common/ToolbarIcons.h"
#include "MainWindowFixture.h"
#include "main/WindowLayoutStore.h"

#include <QImage>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

// The toolbar icons of the main window and the document window, and the
// main window's placement at its first start.
class ToolbarIconsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TProgramFolder> FFolder;
    TScriptedPrompts FPrompts;

    std::unique_ptr<TfmMain> MakeMain() { return ShowMain(*FFolder, FPrompts); }

    // Counts the pixels of a 24-pixel rendering of icon in mode that are not
    // fully transparent, and sums how far their colour is from grey.
    static void Measure(const QIcon &icon, QIcon::Mode mode, int &opaque, int &colourfulness)
    {
        const QImage image =
            icon.pixmap(QSize(24, 24), mode).toImage().convertToFormat(QImage::Format_ARGB32);
        opaque = 0;
        colourfulness = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                if (colour.alpha() == 0)
                    continue;
                ++opaque;
                colourfulness += colour.hsvSaturation() * colour.alpha() / 255;
            }
    }

    static void VerifyIcon(const QAction *action)
    {
        const QByteArray name = action->objectName().toUtf8();
        QVERIFY2(!action->icon().isNull(), name.constData());
        int opaque = 0;
        int colourfulness = 0;
        Measure(action->icon(), QIcon::Normal, opaque, colourfulness);
        // A drawing, not a dot: at least a tenth of the square.
        QVERIFY2(opaque > 24 * 24 / 10, name.constData());
        QVERIFY2(colourfulness > 0, name.constData());
        int disabledOpaque = 0;
        int disabledColourfulness = 0;
        Measure(action->icon(), QIcon::Disabled, disabledOpaque, disabledColourfulness);
        QVERIFY2(disabledOpaque > 24 * 24 / 10, name.constData());
        QVERIFY2(disabledColourfulness < colourfulness / 2, name.constData());
    }

    static QList<QAction *> ToolbarActions(const QWidget &window)
    {
        QList<QAction *> actions;
        for (const QToolBar *bar : window.findChildren<QToolBar *>())
            for (QAction *action : bar->actions())
                if (!action->isSeparator() && !qobject_cast<QWidgetAction *>(action))
                    actions << action;
        return actions;
    }

private slots:
    void init() { FFolder = std::make_unique<TProgramFolder>(); }
    void cleanup() { FFolder.reset(); }

    void everyToolbarCommandHasADrawnIcon()
    {
        auto window = MakeMain();
        window->Actions().actFileNew->trigger();
        TfmDoc *document = window->Documents().Active();
        QVERIFY(document);
        const QList<QAction *> mainActions = ToolbarActions(*window);
        // Standard, device, layers and view mode toolbars at the least.
        QVERIFY(mainActions.size() >= 11 + 2 + 5 + 3);
        const auto *docBar = document->findChild<QToolBar *>(QStringLiteral("tbDoc"));
        QVERIFY(docBar);
        const QList<QAction *> docActions = ToolbarActions(*document);
        QCOMPARE(docActions.size(), 5);
        for (const QAction *action : mainActions + docActions)
            VerifyIcon(action);
        const auto *refresh = window->findChild<QToolButton *>(QStringLiteral("btnRefreshDevices"));
        QVERIFY(refresh);
        QAction probe(refresh->icon(), QString());
        probe.setObjectName(QStringLiteral("btnRefreshDevices"));
        VerifyIcon(&probe);
        // The document's buttons show their captions beside the icons.
        QCOMPARE(docBar->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    }

    // A narrower window wraps the toolbars into more rows rather than hide
    // buttons behind an overflow arrow.
    void everyButtonFitsWithCaptionsOnWindows1280And1024PixelsWide()
    {
        auto window = MakeMain();
        window->Actions().actButtonCaptions->trigger();
        QVERIFY(window->Actions().actButtonCaptions->isChecked());
        const auto overflowing = [&] {
            QStringList bars;
            for (const QToolBar *bar : window->findChildren<QToolBar *>()) {
                const auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
                if (more && more->isVisible())
                    bars << bar->objectName();
            }
            return bars.join(QLatin1Char(' '));
        };
        window->resize(1280, 800);
        QTRY_COMPARE(overflowing(), QString());
        window->resize(1024, 740);
        QTRY_COMPARE(overflowing(), QString());
        const auto *standard = window->findChild<QToolBar *>(QStringLiteral("tbStandard"));
        QVERIFY(standard);
        QCOMPARE(standard->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }

    void iconsOfCommandsNotOnTheseToolbarsExist()
    {
        for (const char *name : {"print-preview", "device-info", "key-test"}) {
            QAction action(ToolbarIcon(QString::fromLatin1(name)), QString());
            action.setObjectName(QString::fromLatin1(name));
            VerifyIcon(&action);
        }
        QVERIFY(ToolbarIcon(QStringLiteral("no-such-command")).isNull());
    }

    void firstStartTakesMostOfTheScreenCentred()
    {
        auto window = MakeMain();
        const QRect area = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        QVERIFY(qAbs(window->width() - area.width() * 85 / 100) <= 2);
        QVERIFY(qAbs(window->height() - area.height() * 85 / 100) <= 2);
        QVERIFY(qAbs(window->geometry().center().x() - area.center().x()) <= 2);
        QVERIFY(qAbs(window->geometry().center().y() - area.center().y()) <= 2);

        // A stored placement wins over the first-start one.
        window->setGeometry(area.left() + 10, area.top() + 20, 500, 400);
        QVERIFY(window->close());
        window = MakeMain();
        QCOMPARE(window->geometry(), QRect(area.left() + 10, area.top() + 20, 500, 400));
    }

    // Last: it changes the application's style. The editor's style hands
    // out the standard icons it defers as the plain style draws them, the
    // option's direction included, and the application icon is drawn.
    void editorStyleDrawsDeferredIconsAsThePlainStyle()
    {
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
        InstallEditorStyle();
        QStyleOption rightToLeft;
        rightToLeft.direction = Qt::RightToLeft;
        for (const QStyleOption *option : std::initializer_list<const QStyleOption *>{nullptr, &rightToLeft})
            for (const QStyle::StandardPixmap which :
                 {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_TitleBarMenuButton,
                  QStyle::SP_TitleBarCloseButton}) {
                const QIcon icon = QApplication::style()->standardIcon(which, option);
                QVERIFY(!icon.isNull());
                QCOMPARE(icon.pixmap(16).toImage(), plain->standardIcon(which, option).pixmap(16).toImage());
            }
        QVERIFY(!AppIcon().pixmap(32).isNull());
    }
};

QTEST_MAIN(ToolbarIconsTest)
#include "ToolbarIconsTest.moc"
