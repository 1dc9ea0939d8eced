#include "release/FittedText.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

TFittedText::TFittedText(QWidget *parent) : QScrollArea(parent), FLabel(new QLabel)
{
    FLabel->setTextFormat(Qt::PlainText);
    FLabel->setWordWrap(true);
    FLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(FLabel);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // The text lies on the window like any label.
    setBackgroundRole(QPalette::Window);
    FLabel->setBackgroundRole(QPalette::Window);
}

void TFittedText::SetText(const QString &text)
{
    FLabel->setText(text);
    ShowScrollBarWhenNeeded();
    // The label tells only the scroll area of its new size.
    updateGeometry();
}

void TFittedText::resizeEvent(QResizeEvent *event)
{
    ShowScrollBarWhenNeeded();
    QScrollArea::resizeEvent(event);
}

void TFittedText::ShowScrollBarWhenNeeded()
{
    const int frame = 2 * frameWidth();
    const bool fits = FLabel->heightForWidth(width() - frame) <= height() - frame;
    setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

QSize TFittedText::Limit() const
{
    const QScreen *shownOn = screen();
    if (!shownOn)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const QRect screenArea = shownOn->availableGeometry();
    return {screenArea.width() * 2 / 3, screenArea.height() / 2};
}

int TFittedText::heightForWidth(int width) const
{
    const int frame = 2 * frameWidth();
    const int needed = FLabel->heightForWidth(std::max(0, width - frame));
    // A word wider than the window leaves a scroll bar under the text.
    const int scrollBar = FLabel->minimumSizeHint().width() > width - frame
                              ? horizontalScrollBar()->sizeHint().height()
                              : 0;
    return std::min(needed + scrollBar, Limit().height()) + frame;
}

QSize TFittedText::sizeHint() const
{
    const int width = std::min(FLabel->sizeHint().width() + 2 * frameWidth(), Limit().width());
    return {width, heightForWidth(width)};
}
