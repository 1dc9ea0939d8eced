#include "files/LayoutPicture.h"

#include "base/Error.h"
#include "base/SafeFile.h"
#include "model/Layout.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
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

// A canvas that cannot be painted on (a size its device cannot take) would
// otherwise give an empty or broken file without a word.
void BeginPainting(QPainter &painter, QPaintDevice &device, const QRect &area, const QString &path)
{
    if (!painter.begin(&device))
        throw EError(QCoreApplication::translate("LayoutPicture",
                                                 "Не удалось записать файл \"%1\": рисунок размером "
                                                 "%2 x %3 точек построить невозможно.")
                         .arg(QDir::toNativeSeparators(path), QString::number(area.width()),
                              QString::number(area.height())));
}

QByteArray PngBytes(const QPicture &picture, const QRect &area, const QString &path)
{
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = Round(kPictureDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter;
    BeginPainting(painter, image, area, path);
    painter.drawPicture(-area.topLeft(), picture);
    painter.end();
    return ImageBytes(image, "PNG", path);
}

QByteArray SvgBytes(const QPicture &picture, const QRect &area, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(kPictureDpi);
    generator.setSize(area.size());
    generator.setViewBox(QRect(QPoint(0, 0), area.size()));
    QPainter painter;
    BeginPainting(painter, generator, area, path);
    painter.drawPicture(-area.topLeft(), picture);
    painter.end();
    return bytes;
}

QByteArray PdfBytes(const QPicture &picture, const QRect &area, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPictureDpi);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(QPageSize(QSizeF(area.size()) * 72.0 / kPictureDpi, QPageSize::Point));
    QPainter painter;
    BeginPainting(painter, writer, area, path);
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

QByteArray ImageBytes(const QImage &image, const char *format, const QString &path)
{
    // Encoded in memory, so that a failing encoder (libpng gives up, or no
    // writer for the format) is noticed before anything reaches the file.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, format))
        throw EError(QCoreApplication::translate(
                         "LayoutPicture", "Не удалось записать файл \"%1\": рисунок не удалось преобразовать "
                                          "в формат %2.")
                         .arg(QDir::toNativeSeparators(path), QString::fromLatin1(format)));
    return bytes;
}

void SaveLayoutPicture(const TLayout &layout, const QString &path, int layerIndex)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray (*render)(const QPicture &, const QRect &, const QString &) = nullptr;
    if (suffix == u"png")
        render = PngBytes;
    else if (suffix == u"svg")
        render = SvgBytes;
    else if (suffix == u"pdf")
        render = PdfBytes;
    else
        throw EError(QCoreApplication::translate(
                         "LayoutPicture", "Неизвестный формат рисунка \"%1\": допустимы PNG, SVG и PDF.")
                         .arg(path));

    const QPicture picture = RecordPicture(layout, layerIndex);
    const QRect area = picture.boundingRect().marginsAdded(QMargins(kMargin, kMargin, kMargin, kMargin));
    WriteFileAtomically(path, render(picture, area, path));
}
