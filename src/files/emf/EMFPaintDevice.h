#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <memory>

class TEMFPaintEngine;

/// A paint device that records what a QPainter draws as an enhanced
/// metafile, in pixels of a reference surface of the given size and
/// resolution.
class TEMFPaintDevice : public QPaintDevice {
public:
    /// size: the reference surface in pixels (the painter's clip rectangle); dpi: its resolution.
    explicit TEMFPaintDevice(QSize size = QSize(1920, 1080), int dpi = 96);
    ~TEMFPaintDevice() override;
    QPaintEngine *paintEngine() const override;
    /// Returns the finished metafile bytes; valid after the painter on it has ended
    /// (empty before). The header's bounds and frame are those of what was drawn.
    QByteArray Data() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize FSize;
    int FDpi;
    std::unique_ptr<TEMFPaintEngine> FEngine;
};
