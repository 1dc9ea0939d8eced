#include "files/EMFLayout.h"

#include "base/Error.h"
#include "files/LayoutPicture.h"
#include "files/emf/EMFPaintDevice.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QPainter>

TEMFLayout::TEMFLayout(TLayoutFormats *formats, const TKeyboards &keyboards) : TLayoutFormat(formats, keyboards) {}

QString TEMFLayout::GetFilter() const
{
    return QCoreApplication::translate("TEMFLayout", "Раскладка в формате EMF (*.emf)") +
           QStringLiteral("|*.emf");
}

QString TEMFLayout::ShortName() const
{
    return QStringLiteral("emf");
}

QString TEMFLayout::DefaultSuffix() const
{
    return QStringLiteral("emf");
}

void TEMFLayout::SaveToStream(const TLayout &layout, QIODevice &stream)
{
    TEMFPaintDevice metafile(kPictureBounds.size(), kPictureDpi);
    {
        QPainter canvas(&metafile);
        const TLayoutPictureGeometry geometry = TLayoutPictureGeometry::ForCanvas(
            metafile.logicalDpiX(), metafile.logicalDpiY(), QRect(QPoint(0, 0), kPictureBounds.size()));
        DrawLayoutPicture(canvas, layout, geometry);
    }
    const QByteArray data = metafile.Data();
    if (stream.write(data) != data.size())
        throw EError(QCoreApplication::translate("TEMFLayout", "Не удалось записать рисунок раскладки: %1")
                         .arg(stream.errorString()));
}
