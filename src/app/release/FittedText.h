#pragma once

#include <QScrollArea>

class QLabel;

/// A read-only plain text that takes the room its wrapped lines need at the
/// width it gets, so that a window laid out around it grows to it, up to
/// half the screen's height and two thirds of its width; more text scrolls.
class TFittedText : public QScrollArea {
    Q_OBJECT
public:
    explicit TFittedText(QWidget *parent = nullptr);

    /// Returns the label that shows the text.
    QLabel &Label() const { return *FLabel; }
    /// Shows text and lets the window's layout take its new size.
    void SetText(const QString &text);

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize Limit() const;
    /// Shows the vertical scroll bar only when the text is taller than the
    /// room it has: a bar shown while the room was still small would narrow
    /// the text, which would then no longer fit the room made for it.
    void ShowScrollBarWhenNeeded();

    QLabel *FLabel;
};
