#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

/// Record types of an enhanced metafile, as far as the writer uses them.
enum TEMFRecordType : uint32_t {
    emrHeader = 1,
    emrPolyBezier = 2,
    emrPolygon = 3,
    emrPolyline = 4,
    emrPolyBezierTo = 5,
    emrPolylineTo = 6,
    emrEOF = 14,
    emrSetMapMode = 17,
    emrSetBkMode = 18,
    emrSetPolyFillMode = 19,
    emrSetTextAlign = 22,
    emrSetTextColor = 24,
    emrMoveToEx = 27,
    emrIntersectClipRect = 30,
    emrSaveDC = 33,
    emrRestoreDC = 34,
    emrSelectObject = 37,
    emrCreateBrushIndirect = 39,
    emrDeleteObject = 40,
    emrBeginPath = 59,
    emrEndPath = 60,
    emrCloseFigure = 61,
    emrFillPath = 62,
    emrStrokeAndFillPath = 63,
    emrStrokePath = 64,
    emrSelectClipPath = 67,
    emrStretchDIBits = 81,
    emrExtCreateFontIndirectW = 82,
    emrExtTextOutW = 84,
    emrPolyBezier16 = 85,
    emrPolygon16 = 86,
    emrPolyline16 = 87,
    emrPolyBezierTo16 = 88,
    emrPolylineTo16 = 89,
    emrExtCreatePen = 95,
    emrAlphaBlend = 114,
};

/// Stock objects: selected by these indexes without being created.
enum TEMFStockObject : uint32_t {
    soNullBrush = 0x80000005,
    soNullPen = 0x80000008,
    soSystemFont = 0x8000000D,
};

/// Pen style bits of an extended pen: line style, end cap, join and type.
enum TEMFPenStyle : uint32_t {
    psSolid = 0,
    psDash = 1,
    psDot = 2,
    psDashDot = 3,
    psDashDotDot = 4,
    psNull = 5,
    psUserStyle = 7,
    psEndCapRound = 0,
    psEndCapSquare = 0x100,
    psEndCapFlat = 0x200,
    psJoinRound = 0,
    psJoinBevel = 0x1000,
    psJoinMiter = 0x2000,
    psGeometric = 0x10000,
};

/// Modes and flags of the state records.
enum TEMFMode : uint32_t {
    mmText = 1,
    bkTransparent = 1,
    pfAlternate = 1,
    pfWinding = 2,
    taBaseline = 24,
    rgnAnd = 1,
    rgnCopy = 5,
};

/// A pen as the metafile describes it: style bits, width in device pixels,
/// colour and, for a user style, the dash and gap lengths in pixels. A pen of
/// style psNull is the stock null pen.
struct TEMFPen {
    uint32_t Style = psSolid;
    uint32_t Width = 1;
    QRgb Color = 0;
    QList<uint32_t> Dashes;
    bool operator==(const TEMFPen &) const = default;
};

/// A brush: a solid colour, or the stock null brush.
struct TEMFBrush {
    bool Null = true;
    QRgb Color = 0;
    bool operator==(const TEMFBrush &) const = default;
};

/// A font as the metafile describes it: the face, the character height in
/// device pixels (the em height, written negative), the text angle and the
/// style.
struct TEMFFont {
    QString FaceName;
    int Height = 0;
    /// Angle of the baseline in tenths of a degree, counter-clockwise.
    int Escapement = 0;
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TEMFFont &) const = default;
};

/// Builds the bytes of an enhanced metafile, one function per record kind,
/// all numbers little-endian. It hands out the object handles (the lowest
/// free index, from 1), keeps the bounds of what was drawn and the record
/// count, and fixes them up in the header when the metafile is finished.
/// Coordinates are device pixels of the reference device; point records take
/// their 16-bit form when every coordinate fits.
class TEMFRecords {
public:
    /// deviceSize: the reference device in pixels; dpi: its resolution.
    TEMFRecords(QSize deviceSize, int dpi);

    void SetMapMode(uint32_t mode);
    void SetBkMode(uint32_t mode);
    void SetPolyFillMode(uint32_t mode);
    void SetTextAlign(uint32_t align);
    void SetTextColor(QRgb color);

    /// Returns the handle of a new extended pen with a solid brush.
    uint32_t ExtCreatePen(const TEMFPen &pen);
    /// Returns the handle of a new solid brush.
    uint32_t CreateSolidBrush(QRgb color);
    /// Returns the handle of a new font of the default character set.
    uint32_t ExtCreateFontIndirectW(const TEMFFont &font);
    /// Selects a created object by its handle, or a stock object.
    void SelectObject(uint32_t handle);
    /// Deletes a created object; its handle becomes free for the next one.
    void DeleteObject(uint32_t handle);

    void Polygon(const QList<QPoint> &points);
    void Polyline(const QList<QPoint> &points);
    /// Bézier segments from the first point, three points each.
    void PolyBezier(const QList<QPoint> &points);

    void BeginPath();
    void EndPath();
    void MoveToEx(QPoint point);
    /// Lines from the current position through the points.
    void PolylineTo(const QList<QPoint> &points);
    /// Bézier segments from the current position, three points each.
    void PolyBezierTo(const QList<QPoint> &points);
    void CloseFigure();
    /// The path operations take the bounds of the path in device pixels.
    void FillPath(const QRect &bounds);
    void StrokePath(const QRect &bounds);
    void StrokeAndFillPath(const QRect &bounds);
    void SelectClipPath(uint32_t mode);
    void IntersectClipRect(const QRect &rect);
    void SaveDC();
    /// Returns to the state of the last SaveDC.
    void RestoreDC();

    /// Writes text at a reference point with one advance (in pixels) per
    /// UTF-16 unit; bounds is the text's extent.
    void ExtTextOutW(QPoint reference, const QString &text, const QList<int> &advances, const QRect &bounds);
    /// Draws an opaque image stretched into dest (a negative width or height
    /// mirrors it), as a 24-bit bitmap.
    void StretchDIBits(const QRect &dest, const QImage &image);
    /// Draws an image with per-pixel alpha blended into dest (positive
    /// size), as a 32-bit bitmap of premultiplied colours.
    void AlphaBlend(const QRect &dest, const QImage &image);

    /// Widens the header's bounds by a rectangle in device pixels.
    void IncludeBounds(const QRect &rect);
    /// Returns the number of records written, the header included.
    int RecordCount() const { return FRecordCount; }
    /// Returns the number of handle-table entries needed, index 0 included.
    int HandleCount() const { return FHandleCount; }

    /// Appends the end record, fixes up the header and returns the metafile.
    /// Nothing may be written afterwards.
    QByteArray Finish();

private:
    void Begin(uint32_t type);
    void End();
    void Put32(uint32_t value);
    void Put16(uint16_t value);
    void PutRect(const QRect &rect);
    void PutInclusiveRect(int left, int top, int right, int bottom);
    void Put32At(qsizetype offset, uint32_t value);
    void PutPoints(uint32_t type16, uint32_t type32, const QList<QPoint> &points);
    void PutState(uint32_t type, uint32_t value);
    void PutEmpty(uint32_t type);
    void PutBitmap(const QImage &image, bool withAlpha);
    uint32_t NewHandle();

    QByteArray FData;
    qsizetype FRecordStart = 0;
    QSize FDeviceSize;
    int FDpi;
    QRect FBounds;
    int FRecordCount = 0;
    std::vector<bool> FHandles;
    int FHandleCount = 1;
};
