#include "files/emf/EMFPaintDevice.h"

#include "files/emf/EMFPaintEngine.h"

#include <algorithm>
#include <cmath>

TEMFPaintDevice::TEMFPaintDevice(QSize size, int dpi)
    : FSize(size.expandedTo(QSize(1, 1))), FDpi(std::max(dpi, 1)),
      FEngine(std::make_unique<TEMFPaintEngine>())
{}

TEMFPaintDevice::~TEMFPaintDevice() = default;

QPaintEngine *TEMFPaintDevice::paintEngine() const
{
    return FEngine.get();
}

QByteArray TEMFPaintDevice::Data() const
{
    return FEngine->isActive() ? QByteArray() : FEngine->Data();
}

int TEMFPaintDevice::metric(PaintDeviceMetric metric) const
{
    const auto millimetres = [this](int pixels) { return int(std::lround(pixels * 25.4 / FDpi)); };
    switch (metric) {
    case PdmWidth:
        return FSize.width();
    case PdmHeight:
        return FSize.height();
    case PdmWidthMM:
        return millimetres(FSize.width());
    case PdmHeightMM:
        return millimetres(FSize.height());
    case PdmNumColors:
        return 0xFFFFFF;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return FDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
