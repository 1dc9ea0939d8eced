#include "common/ToolbarIcons.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

QIcon RenderIcon(const QString &fileName)
{
    QSvgRenderer renderer(fileName);
    if (!renderer.isValid())
        return QIcon();
    // Pixmaps at every size a toolbar, a menu or a high-density screen asks
    // for: the drawing is scaled from its vector form, never from a bitmap.
    QIcon icon;
    for (const int size : {16, 20, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

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
    const QIcon icon = QFile::exists(fileName) ? RenderIcon(fileName) : QIcon();
    icons.insert(name, icon);
    return icon;
}
