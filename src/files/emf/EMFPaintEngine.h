#pragma once

#include "files/emf/EMFDeviceContext.h"
#include "files/emf/EMFRecords.h"

#include <QByteArray>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>
#include <memory>
#include <vector>

/// Turns what a QPainter draws into enhanced metafile records in device
/// pixels. The engine applies the painter's transform itself, so the
/// metafile holds no world transform; what it cannot express (gradients,
/// patterns, translucent colours, opacity) QPainter draws as images, which
/// the engine writes with their alpha.
class TEMFPaintEngine : public QPaintEngine {
public:
    TEMFPaintEngine();
    ~TEMFPaintEngine() override;

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;

    void drawRects(const QRectF *rects, int rectCount) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath &path) override;
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override;
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &pm, const QRectF &sr,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    Type type() const override { return User; }

    /// Returns the metafile of the last finished painting; empty while a
    /// painter is active or before the first.
    QByteArray Data() const { return FData; }

private:
    struct TFigure;
    /// One device-space clip step; the clip is the intersection of all steps.
    struct TClipStep {
        QPainterPath Path;
        bool IsRect = false;
        QRect Rect;
    };

    std::vector<TFigure> Figures(const QPainterPath &devicePath) const;
    void DrawShape(const QPainterPath &devicePath, bool fill, bool stroke);
    void EmitFigures(const std::vector<TFigure> &figures);
    void StrokeOpenFigure(const TFigure &figure);
    void Include(const QRect &bounds);
    void AddClip(const QPainterPath &path, Qt::ClipOperation operation);
    void ApplyClip();
    TEMFPen DevicePen() const;
    TEMFFont DeviceFont(const QTextItem &textItem) const;
    QList<int> Advances(const QTextItem &textItem) const;
    QPoint Device(const QPointF &point) const;

    std::unique_ptr<TEMFRecords> FRecords;
    std::unique_ptr<TEMFDeviceContext> FContext;
    QByteArray FData;
    int FDpi = 96;
    QTransform FTransform;
    QPen FPen;
    QBrush FBrush;
    bool FClipEnabled = false;
    bool FClipDirty = false;
    std::vector<TClipStep> FClip;
};
