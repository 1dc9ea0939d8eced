#include "pictures/GraphicPreview.h"

#include "model/KeyPictureDraw.h"

#include <QPainter>

TGraphicPreview::TGraphicPreview(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void TGraphicPreview::SetGraphic(const TGraphic &graphic)
{
    FGraphic = graphic;
    update();
}

void TGraphicPreview::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (FGraphic.IsEmpty())
        return;
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(2, 2, -2, -2);
    DrawGraphic(painter, FGraphic, FitGraphic(FGraphic.Size(), area));
}
