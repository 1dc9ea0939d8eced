#pragma once

#include "model/Graphic.h"

#include <QFrame>

/// Shows a key picture's graphic fitted into the frame, as the key grid
/// draws it: a larger graphic shrunk with its aspect ratio kept, a smaller
/// one at its size, centred.
class TGraphicPreview : public QFrame {
    Q_OBJECT

public:
    explicit TGraphicPreview(QWidget *parent = nullptr);

    const TGraphic &Graphic() const { return FGraphic; }
    void SetGraphic(const TGraphic &graphic);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TGraphic FGraphic;
};
