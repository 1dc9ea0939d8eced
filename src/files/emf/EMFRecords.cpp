#include "files/emf/EMFRecords.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

// Header layout: the base header (88 bytes), the pixel-format extension
// (12 bytes) and the micrometre extension (8 bytes), no description.
constexpr int kHeaderSize = 108;
constexpr qsizetype kBoundsOffset = 8;
constexpr qsizetype kFrameOffset = 24;
constexpr qsizetype kBytesOffset = 48;
constexpr qsizetype kRecordsOffset = 52;
constexpr qsizetype kHandlesOffset = 56;
constexpr uint32_t kSignature = 0x464D4520; // " EMF"
constexpr uint32_t kVersion = 0x00010000;

constexpr uint8_t kDefaultCharset = 1;
constexpr int kFaceNameLength = 32;
// A font record carries the logical font with its full-name, style and
// PANOSE tail, 320 bytes, as the system writes it.
constexpr int kLogFontPanoseSize = 320;
constexpr int kLogFontSize = 92;

uint32_t ColorRef(QRgb color)
{
    return uint32_t(qRed(color)) | uint32_t(qGreen(color)) << 8 | uint32_t(qBlue(color)) << 16;
}

bool FitsIn16(const QList<QPoint> &points)
{
    return std::all_of(points.begin(), points.end(), [](QPoint p) {
        return p.x() >= INT16_MIN && p.x() <= INT16_MAX && p.y() >= INT16_MIN && p.y() <= INT16_MAX;
    });
}

QRect PointBounds(const QList<QPoint> &points)
{
    if (points.isEmpty())
        return {};
    int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPoint &p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

TEMFRecords::TEMFRecords(QSize deviceSize, int dpi) : FDeviceSize(deviceSize), FDpi(std::max(dpi, 1))
{
    Begin(emrHeader);
    PutInclusiveRect(0, 0, -1, -1);
    PutInclusiveRect(0, 0, -1, -1);
    Put32(kSignature);
    Put32(kVersion);
    Put32(0); // bytes, fixed up
    Put32(0); // records, fixed up
    Put16(0); // handles, fixed up
    Put16(0);
    Put32(0); // description length
    Put32(0); // description offset
    Put32(0); // palette entries
    const auto micrometres = [this](int pixels) { return int(std::lround(pixels * 25400.0 / FDpi)); };
    Put32(uint32_t(FDeviceSize.width()));
    Put32(uint32_t(FDeviceSize.height()));
    Put32(uint32_t(std::lround(micrometres(FDeviceSize.width()) / 1000.0)));
    Put32(uint32_t(std::lround(micrometres(FDeviceSize.height()) / 1000.0)));
    Put32(0); // pixel format size
    Put32(0); // pixel format offset
    Put32(0); // no OpenGL records
    Put32(uint32_t(micrometres(FDeviceSize.width())));
    Put32(uint32_t(micrometres(FDeviceSize.height())));
    End();
    Q_ASSERT(FData.size() == kHeaderSize);
}

void TEMFRecords::Begin(uint32_t type)
{
    FRecordStart = FData.size();
    Put32(type);
    Put32(0);
}

void TEMFRecords::End()
{
    // Every record is a whole number of 32-bit words.
    while (FData.size() % 4 != 0)
        FData.append('\0');
    Put32At(FRecordStart + 4, uint32_t(FData.size() - FRecordStart));
    ++FRecordCount;
}

void TEMFRecords::Put32(uint32_t value)
{
    const uint32_t little = qToLittleEndian(value);
    FData.append(reinterpret_cast<const char *>(&little), 4);
}

void TEMFRecords::Put16(uint16_t value)
{
    const uint16_t little = qToLittleEndian(value);
    FData.append(reinterpret_cast<const char *>(&little), 2);
}

void TEMFRecords::Put32At(qsizetype offset, uint32_t value)
{
    qToLittleEndian(value, FData.data() + offset);
}

void TEMFRecords::PutRect(const QRect &rect)
{
    PutInclusiveRect(rect.left(), rect.top(), rect.right(), rect.bottom());
}

void TEMFRecords::PutInclusiveRect(int left, int top, int right, int bottom)
{
    Put32(uint32_t(left));
    Put32(uint32_t(top));
    Put32(uint32_t(right));
    Put32(uint32_t(bottom));
}

void TEMFRecords::PutState(uint32_t type, uint32_t value)
{
    Begin(type);
    Put32(value);
    End();
}

void TEMFRecords::SetMapMode(uint32_t mode)
{
    PutState(emrSetMapMode, mode);
}

void TEMFRecords::SetBkMode(uint32_t mode)
{
    PutState(emrSetBkMode, mode);
}

void TEMFRecords::SetPolyFillMode(uint32_t mode)
{
    PutState(emrSetPolyFillMode, mode);
}

void TEMFRecords::SetTextAlign(uint32_t align)
{
    PutState(emrSetTextAlign, align);
}

void TEMFRecords::SetTextColor(QRgb color)
{
    PutState(emrSetTextColor, ColorRef(color));
}

uint32_t TEMFRecords::NewHandle()
{
    const auto free = std::find(FHandles.begin(), FHandles.end(), false);
    const auto index = std::distance(FHandles.begin(), free);
    if (free == FHandles.end())
        FHandles.push_back(true);
    else
        *free = true;
    // Index 0 of the handle table is reserved for the metafile itself.
    const auto handle = uint32_t(index + 1);
    FHandleCount = std::max(FHandleCount, int(handle) + 1);
    return handle;
}

uint32_t TEMFRecords::ExtCreatePen(const TEMFPen &pen)
{
    const uint32_t handle = NewHandle();
    Begin(emrExtCreatePen);
    Put32(handle);
    // No pattern bitmap: offsets and sizes of its header and bits are zero.
    Put32(0);
    Put32(0);
    Put32(0);
    Put32(0);
    Put32(pen.Style);
    Put32(pen.Width);
    Put32(0); // solid brush
    Put32(ColorRef(pen.Color));
    Put32(0); // hatch
    Put32(uint32_t(pen.Dashes.size()));
    for (const uint32_t length : pen.Dashes)
        Put32(length);
    End();
    return handle;
}

uint32_t TEMFRecords::CreateSolidBrush(QRgb color)
{
    const uint32_t handle = NewHandle();
    Begin(emrCreateBrushIndirect);
    Put32(handle);
    Put32(0); // solid
    Put32(ColorRef(color));
    Put32(0); // hatch
    End();
    return handle;
}

uint32_t TEMFRecords::ExtCreateFontIndirectW(const TEMFFont &font)
{
    const uint32_t handle = NewHandle();
    Begin(emrExtCreateFontIndirectW);
    Put32(handle);
    const qsizetype start = FData.size();
    Put32(uint32_t(-font.Height));
    Put32(0); // width: from the aspect ratio
    Put32(uint32_t(font.Escapement));
    Put32(uint32_t(font.Escapement));
    Put32(uint32_t(font.Weight));
    FData.append(char(font.Italic));
    FData.append(char(font.Underline));
    FData.append(char(font.StrikeOut));
    FData.append(char(kDefaultCharset));
    FData.append(4, '\0'); // precisions, quality, pitch and family: defaults
    const QString face = font.FaceName.left(kFaceNameLength - 1);
    for (int i = 0; i < kFaceNameLength; ++i)
        Put16(i < face.size() ? face[i].unicode() : 0);
    Q_ASSERT(FData.size() - start == kLogFontSize);
    // Full name, style, version and PANOSE are left empty.
    FData.append(kLogFontPanoseSize - kLogFontSize, '\0');
    End();
    return handle;
}

void TEMFRecords::SelectObject(uint32_t handle)
{
    PutState(emrSelectObject, handle);
}

void TEMFRecords::DeleteObject(uint32_t handle)
{
    PutState(emrDeleteObject, handle);
    if (handle >= 1 && handle <= FHandles.size())
        FHandles[handle - 1] = false;
}

void TEMFRecords::PutPoints(uint32_t type16, uint32_t type32, const QList<QPoint> &points)
{
    const bool small = FitsIn16(points);
    Begin(small ? type16 : type32);
    PutRect(PointBounds(points));
    Put32(uint32_t(points.size()));
    for (const QPoint &p : points) {
        if (small) {
            Put16(uint16_t(p.x()));
            Put16(uint16_t(p.y()));
        } else {
            Put32(uint32_t(p.x()));
            Put32(uint32_t(p.y()));
        }
    }
    End();
}

void TEMFRecords::Polygon(const QList<QPoint> &points)
{
    PutPoints(emrPolygon16, emrPolygon, points);
}

void TEMFRecords::Polyline(const QList<QPoint> &points)
{
    PutPoints(emrPolyline16, emrPolyline, points);
}

void TEMFRecords::PolyBezier(const QList<QPoint> &points)
{
    PutPoints(emrPolyBezier16, emrPolyBezier, points);
}

void TEMFRecords::PutEmpty(uint32_t type)
{
    Begin(type);
    End();
}

void TEMFRecords::BeginPath()
{
    PutEmpty(emrBeginPath);
}

void TEMFRecords::EndPath()
{
    PutEmpty(emrEndPath);
}

void TEMFRecords::MoveToEx(QPoint point)
{
    Begin(emrMoveToEx);
    Put32(uint32_t(point.x()));
    Put32(uint32_t(point.y()));
    End();
}

void TEMFRecords::PolylineTo(const QList<QPoint> &points)
{
    PutPoints(emrPolylineTo16, emrPolylineTo, points);
}

void TEMFRecords::PolyBezierTo(const QList<QPoint> &points)
{
    PutPoints(emrPolyBezierTo16, emrPolyBezierTo, points);
}

void TEMFRecords::CloseFigure()
{
    PutEmpty(emrCloseFigure);
}

void TEMFRecords::FillPath(const QRect &bounds)
{
    Begin(emrFillPath);
    PutRect(bounds);
    End();
}

void TEMFRecords::StrokePath(const QRect &bounds)
{
    Begin(emrStrokePath);
    PutRect(bounds);
    End();
}

void TEMFRecords::StrokeAndFillPath(const QRect &bounds)
{
    Begin(emrStrokeAndFillPath);
    PutRect(bounds);
    End();
}

void TEMFRecords::SelectClipPath(uint32_t mode)
{
    PutState(emrSelectClipPath, mode);
}

void TEMFRecords::IntersectClipRect(const QRect &rect)
{
    // The clip rectangle excludes its right and bottom edges.
    Begin(emrIntersectClipRect);
    PutInclusiveRect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
    End();
}

void TEMFRecords::SaveDC()
{
    PutEmpty(emrSaveDC);
}

void TEMFRecords::RestoreDC()
{
    // -1: the state saved last.
    PutState(emrRestoreDC, uint32_t(-1));
}

void TEMFRecords::IncludeBounds(const QRect &rect)
{
    if (!rect.isEmpty())
        FBounds = FBounds.united(rect);
}

QByteArray TEMFRecords::Finish()
{
    Begin(emrEOF);
    Put32(0);  // palette entries
    Put32(16); // palette offset: where entries would start
    Put32(20); // size of this record, repeated at its end
    End();
    if (!FBounds.isEmpty()) {
        Put32At(kBoundsOffset, uint32_t(FBounds.left()));
        Put32At(kBoundsOffset + 4, uint32_t(FBounds.top()));
        Put32At(kBoundsOffset + 8, uint32_t(FBounds.right()));
        Put32At(kBoundsOffset + 12, uint32_t(FBounds.bottom()));
        // The frame covers the bounds' pixels whole, in 0.01 mm.
        const auto hundredths = [this](int pixels) { return uint32_t(std::lround(pixels * 2540.0 / FDpi)); };
        Put32At(kFrameOffset, hundredths(FBounds.left()));
        Put32At(kFrameOffset + 4, hundredths(FBounds.top()));
        Put32At(kFrameOffset + 8, hundredths(FBounds.left() + FBounds.width()) - 1);
        Put32At(kFrameOffset + 12, hundredths(FBounds.top() + FBounds.height()) - 1);
    }
    Put32At(kBytesOffset, uint32_t(FData.size()));
    Put32At(kRecordsOffset, uint32_t(FRecordCount));
    qToLittleEndian(uint16_t(FHandleCount), FData.data() + kHandlesOffset);
    return FData;
}
