#include "common/ToolbarIcons.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <algorithm>
#include <memory>

namespace {

// The sizes toolbars, menus and high-density screens ask for.
constexpr int kIconSizes[] = {16, 20, 24, 32, 48, 64};

// Draws an icon from its vector form at the size asked for, when first asked
// and once per size and mode: a start shows a few dozen icons at one size,
// and drawing every size of every icon beforehand took a fifth of it. The
// style greys the drawing for the disabled state.
class TSvgIconEngine : public QIconEngine {
public:
    explicit TSvgIconEngine(std::shared_ptr<QSvgRenderer> renderer) : FRenderer(std::move(renderer)) {}

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::max(0, std::min(size.width(), size.height()));
        const int key = side * 4 + int(mode);
        if (const auto found = FPixmaps.constFind(key); found != FPixmaps.constEnd())
            return *found;
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        FRenderer->render(&painter);
        painter.end();
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        FPixmaps.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int side : kIconSizes)
            sizes << QSize(side, side);
        return sizes;
    }

    QIconEngine *clone() const override { return new TSvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("TSvgIconEngine"); }

private:
    std::shared_ptr<QSvgRenderer> FRenderer;
    QHash<int, QPixmap> FPixmaps;
};

} // namespace

QIcon SvgIcon(const QString &fileName)
{
    auto renderer = std::make_shared<QSvgRenderer>(fileName);
    if (!renderer->isValid())
        return QIcon();
    return QIcon(new TSvgIconEngine(std::move(renderer)));
}

QIcon ToolbarIcon(const QString &name)
{
    // The resource lives in a static library: naming its initialiser links it
    // into every program that asks for an icon.
    Q_INIT_RESOURCE(toolbar_icons);
    static QHash<QString, QIcon> icons;
    const auto found = icons.constFind(name);
    if (found != icons.constEnd())
        return *found;
    const QString fileName = QStringLiteral(":/toolbar/") + name + QStringLiteral(".svg");
    const QIcon icon = QFile::exists(fileName) ? SvgIcon(fileName) : QIcon();
    icons.insert(name, icon);
    return icon;
}
