#include "files/LayoutPicture.h"

#include "base/Error.h"
#include "model/Layout.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace {

int Round(double value)
{
    return int(std::lround(value));
}

// Blank space kept around the drawing in picture files.
constexpr int kMargin = 4;

// Records the drawing once, so that its extent is known before a file of
// the right size is made.
QPicture RecordPicture(const TLayout &layout, int layerIndex)
{
    QPicture picture;
    QPainter painter(&picture);
    DrawLayoutPicture(painter, layout,
                      TLayoutPictureGeometry::ForCanvas(kPictureDpi, kPictureDpi, kPictureBounds), layerIndex);
    painter.end();
    return picture;
}

QByteArray PngBytes(const QPicture &picture, const QRect &area)
{
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = Round(kPictureDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    painter.drawPicture(-area.topLeft(), picture);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray SvgBytes(const QPicture &picture, const QRect &area)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(kPictureDpi);
    generator.setSize(area.size());
    generator.setViewBox(QRect(QPoint(0, 0), area.size()));
    QPainter painter(&generator);
    painter.drawPicture(-area.topLeft(), picture);
    painter.end();
    return bytes;
}

QByteArray PdfBytes(const QPicture &picture, const QRect &area)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPictureDpi);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(QPageSize(QSizeF(area.size()) * 72.0 / kPictureDpi, QPageSize::Point));
    QPainter painter(&writer);
    painter.drawPicture(-area.topLeft(), picture);
    painter.end();
    return bytes;
}

} // namespace

TLayoutPictureGeometry TLayoutPictureGeometry::ForCanvas(int dpiX, int dpiY, const QRect &bounds)
{
    return {Round(dpiX * 0.5), Round(dpiY * 0.5), Round(dpiX * 0.3), Round(dpiY * 0.3), bounds};
}

void DrawLayoutPicture(QPainter &canvas, const TLayout &layout, const TLayoutPictureGeometry &geometry,
                       int layerIndex)
{
    layout.Draw(canvas, geometry.CellWidth, geometry.Bounds, geometry.GapY, geometry.GapX, geometry.CellHeight,
                layerIndex);
}

void SaveLayoutPicture(const TLayout &layout, const QString &path, int layerIndex)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray (*render)(const QPicture &, const QRect &) = nullptr;
    if (suffix == u"png")
        render = PngBytes;
    else if (suffix == u"svg")
        render = SvgBytes;
    else if (suffix == u"pdf")
        render = PdfBytes;
    else
        throw EError(QStringLiteral("Неизвестный формат рисунка \"%1\": допустимы PNG, SVG и PDF.").arg(path));

    const QPicture picture = RecordPicture(layout, layerIndex);
    const QRect area = picture.boundingRect().marginsAdded(QMargins(kMargin, kMargin, kMargin, kMargin));
    const QByteArray bytes = render(picture, area);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EError(QStringLiteral("Не удалось записать файл \"%1\": %2").arg(path, file.errorString()));
}
