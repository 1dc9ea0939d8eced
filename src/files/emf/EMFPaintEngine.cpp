#include "files/emf/EMFPaintEngine.h"

#include <QPaintDevice>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace {

// Coordinates stay within what every player handles (2^27), so rounding
// never overflows.
constexpr double kMaxCoordinate = 134217727.0;

const TEMFPen kNullPen{psNull, 0, 0, {}};

uint32_t QtPenStyle(Qt::PenStyle style)
{
    switch (style) {
    case Qt::DashLine:
        return psDash;
    case Qt::DotLine:
        return psDot;
    case Qt::DashDotLine:
        return psDashDot;
    case Qt::DashDotDotLine:
        return psDashDotDot;
    case Qt::CustomDashLine:
        return psUserStyle;
    default:
        return psSolid;
    }
}

uint32_t QtCapStyle(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::FlatCap:
        return psEndCapFlat;
    case Qt::RoundCap:
        return psEndCapRound;
    default:
        return psEndCapSquare;
    }
}

uint32_t QtJoinStyle(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::RoundJoin:
        return psJoinRound;
    case Qt::BevelJoin:
        return psJoinBevel;
    default:
        return psJoinMiter;
    }
}

bool Paints(const QBrush &brush)
{
    return brush.style() != Qt::NoBrush && brush.color().alpha() != 0;
}

} // namespace

/// One subpath in device pixels: its start point, then per segment either
/// one line end or a Bézier curve's two control points and end.
struct TEMFPaintEngine::TFigure {
    QList<QPoint> Points;
    /// Per point: whether it belongs to a curve segment.
    QList<bool> Curve;
    bool Closed = false;
    bool HasCurves = false;

    /// Returns the corners of the figure as a polygon, without a repeated
    /// start point.
    QList<QPoint> Corners() const
    {
        QList<QPoint> corners = Points;
        if (corners.size() > 2 && corners.first() == corners.last())
            corners.removeLast();
        return corners;
    }
};

TEMFPaintEngine::TEMFPaintEngine()
    : QPaintEngine(PrimitiveTransform | PixmapTransform | PainterPaths | PaintOutsidePaintEvent)
{}

TEMFPaintEngine::~TEMFPaintEngine() = default;

bool TEMFPaintEngine::begin(QPaintDevice *device)
{
    FDpi = device->logicalDpiX();
    FRecords = std::make_unique<TEMFRecords>(QSize(device->width(), device->height()), FDpi);
    FContext = std::make_unique<TEMFDeviceContext>(*FRecords);
    FData.clear();
    FTransform = QTransform();
    FPen = QPen();
    FBrush = QBrush();
    FClip.clear();
    FClipEnabled = false;
    FClipDirty = false;
    // Pixel coordinates, text placed by its baseline, no boxes behind text.
    FRecords->SetMapMode(mmText);
    FRecords->SetBkMode(bkTransparent);
    FRecords->SetTextAlign(taBaseline);
    return true;
}

bool TEMFPaintEngine::end()
{
    FContext->ReleaseAll();
    FData = FRecords->Finish();
    FContext.reset();
    FRecords.reset();
    return true;
}

void TEMFPaintEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags flags = state.state();
    // The transform comes first: a clip is given in the coordinates of the
    // transform that comes with it.
    if (flags & DirtyTransform)
        FTransform = state.transform();
    if (flags & DirtyPen)
        FPen = state.pen();
    if (flags & DirtyBrush)
        FBrush = state.brush();
    if (flags & DirtyClipEnabled) {
        FClipEnabled = state.isClipEnabled();
        FClipDirty = true;
    }
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        AddClip(path, state.clipOperation());
    }
    if (flags & DirtyClipPath)
        AddClip(state.clipPath(), state.clipOperation());
}

void TEMFPaintEngine::AddClip(const QPainterPath &path, Qt::ClipOperation operation)
{
    FClipDirty = true;
    if (operation == Qt::NoClip) {
        FClip.clear();
        return;
    }
    if (operation == Qt::ReplaceClip)
        FClip.clear();
    TClipStep step;
    step.Path = FTransform.map(path);
    const QRectF area = step.Path.boundingRect();
    QPainterPath box;
    box.addRect(area);
    box.setFillRule(step.Path.fillRule());
    step.IsRect = step.Path == box;
    step.Rect = QRect(Device(area.topLeft()), Device(area.bottomRight()) - QPoint(1, 1));
    FClip.push_back(step);
}

void TEMFPaintEngine::ApplyClip()
{
    if (!FClipDirty)
        return;
    FClipDirty = false;
    // A clip can only be narrowed: a new one starts from the state saved
    // before the old one.
    if (FContext->Saved())
        FContext->Restore();
    if (!FClipEnabled || FClip.empty())
        return;
    FContext->Save();
    bool first = true;
    for (const TClipStep &step : FClip) {
        if (step.IsRect) {
            FRecords->IntersectClipRect(step.Rect);
        } else {
            EmitFigures(Figures(step.Path));
            FRecords->SelectClipPath(first ? rgnCopy : rgnAnd);
        }
        first = false;
    }
}

void TEMFPaintEngine::Include(const QRect &bounds)
{
    QRect visible = bounds;
    if (FClipEnabled) {
        for (const TClipStep &step : FClip)
            visible &= step.Path.boundingRect().toAlignedRect();
    }
    FRecords->IncludeBounds(visible);
}

QPoint TEMFPaintEngine::Device(const QPointF &point) const
{
    return QPoint(int(std::lround(std::clamp(point.x(), -kMaxCoordinate, kMaxCoordinate))),
                  int(std::lround(std::clamp(point.y(), -kMaxCoordinate, kMaxCoordinate))));
}

TEMFPen TEMFPaintEngine::DevicePen() const
{
    if (FPen.style() == Qt::NoPen || FPen.color().alpha() == 0)
        return kNullPen;
    // A cosmetic pen is as wide in pixels as it says (a zero width is one
    // pixel); any other is scaled with the drawing.
    double width = FPen.widthF();
    if (width == 0)
        width = 1;
    else if (!FPen.isCosmetic())
        width *= std::sqrt(std::abs(FTransform.determinant()));
    TEMFPen pen;
    pen.Style =
        psGeometric | QtPenStyle(FPen.style()) | QtCapStyle(FPen.capStyle()) | QtJoinStyle(FPen.joinStyle());
    pen.Width = uint32_t(std::max(1L, std::lround(std::min(width, kMaxCoordinate))));
    pen.Color = FPen.color().rgb();
    if (FPen.style() == Qt::CustomDashLine) {
        // Dash lengths are given in pen widths.
        for (const qreal length : FPen.dashPattern())
            pen.Dashes.append(uint32_t(std::max(1L, std::lround(std::min(length * width, kMaxCoordinate)))));
    }
    return pen;
}

std::vector<TEMFPaintEngine::TFigure> TEMFPaintEngine::Figures(const QPainterPath &devicePath) const
{
    std::vector<TFigure> figures;
    QPointF start;
    for (int i = 0; i < devicePath.elementCount(); ++i) {
        const QPainterPath::Element element = devicePath.elementAt(i);
        if (element.isMoveTo() || figures.empty()) {
            if (!figures.empty() && figures.back().Points.size() < 2)
                figures.pop_back();
            figures.emplace_back();
            start = element;
        }
        TFigure &figure = figures.back();
        const bool curve = element.isCurveTo() && i + 2 < devicePath.elementCount();
        const int count = curve ? 3 : 1;
        for (int k = 0; k < count; ++k) {
            figure.Points.append(Device(devicePath.elementAt(i + k)));
            figure.Curve.append(curve);
        }
        figure.HasCurves |= curve;
        figure.Closed = figure.Points.size() > 1 && QPointF(devicePath.elementAt(i + count - 1)) == start;
        i += count - 1;
    }
    if (!figures.empty() && figures.back().Points.size() < 2)
        figures.pop_back();
    return figures;
}

void TEMFPaintEngine::EmitFigures(const std::vector<TFigure> &figures)
{
    FRecords->BeginPath();
    for (const TFigure &figure : figures) {
        FRecords->MoveToEx(figure.Points.first());
        qsizetype end = figure.Points.size();
        // The closing line is drawn by CloseFigure.
        if (figure.Closed && !figure.Curve.last())
            --end;
        for (qsizetype i = 1; i < end;) {
            qsizetype next = i;
            while (next < end && figure.Curve[next] == figure.Curve[i])
                ++next;
            const QList<QPoint> run = figure.Points.mid(i, next - i);
            if (figure.Curve[i])
                FRecords->PolyBezierTo(run);
            else
                FRecords->PolylineTo(run);
            i = next;
        }
        if (figure.Closed)
            FRecords->CloseFigure();
    }
    FRecords->EndPath();
}

void TEMFPaintEngine::StrokeOpenFigure(const TFigure &figure)
{
    if (!figure.HasCurves) {
        FRecords->Polyline(figure.Points);
        return;
    }
    // One Bézier run keeps the joins; a line is a curve whose control
    // points lie on its ends.
    QList<QPoint> points{figure.Points.first()};
    for (qsizetype i = 1; i < figure.Points.size(); ++i) {
        if (figure.Curve[i]) {
            points.append(figure.Points.mid(i, 3));
            i += 2;
        } else {
            points.append({points.last(), figure.Points[i], figure.Points[i]});
        }
    }
    FRecords->PolyBezier(points);
}

void TEMFPaintEngine::DrawShape(const QPainterPath &devicePath, bool fill, bool stroke)
{
    fill = fill && Paints(FBrush);
    const TEMFPen pen = stroke ? DevicePen() : kNullPen;
    stroke = pen.Style != psNull;
    if (!fill && !stroke)
        return;
    const std::vector<TFigure> figures = Figures(devicePath);
    if (figures.empty())
        return;
    ApplyClip();

    // Filled pixels lie left of and above the right and bottom edges; a
    // stroke reaches half its width beyond the points.
    QRect area = QRect(figures.front().Points.first(), QSize(1, 1));
    for (const TFigure &figure : figures) {
        for (const QPoint &point : figure.Points)
            area |= QRect(point, QSize(1, 1));
    }
    const QRect fillBounds = area.adjusted(0, 0, -1, -1);
    const int half = int(pen.Width / 2);
    const QRect strokeBounds = area.adjusted(-half, -half, half, half);
    Include(stroke ? strokeBounds : fillBounds);

    const TEMFBrush brush{!fill, FBrush.color().rgb()};
    if (fill)
        FContext->SetPolyFillMode(devicePath.fillRule() == Qt::OddEvenFill ? pfAlternate : pfWinding);
    const bool single = figures.size() == 1 && !figures.front().HasCurves;
    const bool allClosed =
        std::all_of(figures.begin(), figures.end(), [](const TFigure &figure) { return figure.Closed; });
    if (single && (allClosed || !stroke)) {
        FContext->SelectPen(pen);
        FContext->SelectBrush(brush);
        FRecords->Polygon(figures.front().Corners());
        return;
    }
    if (fill) {
        // Open figures are closed for filling but not for stroking.
        const bool together = stroke && allClosed;
        FContext->SelectPen(together ? pen : kNullPen);
        FContext->SelectBrush(brush);
        if (single) {
            FRecords->Polygon(figures.front().Corners());
        } else {
            EmitFigures(figures);
            if (together)
                FRecords->StrokeAndFillPath(strokeBounds);
            else
                FRecords->FillPath(fillBounds);
        }
        if (together || !stroke)
            return;
    }
    FContext->SelectPen(pen);
    FContext->SelectBrush(TEMFBrush{});
    std::vector<TFigure> closed;
    for (const TFigure &figure : figures) {
        if (figure.Closed)
            closed.push_back(figure);
        else
            StrokeOpenFigure(figure);
    }
    if (closed.size() == 1 && !closed.front().HasCurves) {
        FRecords->Polygon(closed.front().Corners());
    } else if (!closed.empty()) {
        EmitFigures(closed);
        FRecords->StrokePath(strokeBounds);
    }
}

void TEMFPaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        QPainterPath path;
        path.addRect(rects[i]);
        DrawShape(FTransform.map(path), true, true);
    }
}

void TEMFPaintEngine::drawLines(const QLineF *lines, int lineCount)
{
    for (int i = 0; i < lineCount; ++i) {
        QPainterPath path(FTransform.map(lines[i].p1()));
        path.lineTo(FTransform.map(lines[i].p2()));
        DrawShape(path, false, true);
    }
}

void TEMFPaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount < 2)
        return;
    QPainterPath path(FTransform.map(points[0]));
    for (int i = 1; i < pointCount; ++i)
        path.lineTo(FTransform.map(points[i]));
    if (mode == PolylineMode) {
        DrawShape(path, false, true);
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    DrawShape(path, true, true);
}

void TEMFPaintEngine::drawPath(const QPainterPath &path)
{
    DrawShape(FTransform.map(path), true, true);
}
