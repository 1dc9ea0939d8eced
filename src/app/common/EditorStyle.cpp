#include "common/EditorStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <algorithm>
#include <optional>

namespace {

// An icon of the style's that asks the style for it when it is first drawn
// or measured.
class TDeferredStandardIcon : public QIconEngine {
public:
    TDeferredStandardIcon(const QStyle *style, QStyle::StandardPixmap which, const QStyleOption *option)
        : FStyle(style), FWhich(which)
    {
        if (option) {
            FOption = *option;
            FOption->styleObject = nullptr; // it may be gone when the icon is drawn
        }
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QIconEngine *clone() const override { return new TDeferredStandardIcon(*this); }
    QString key() const override { return QStringLiteral("TDeferredStandardIcon"); }

private:
    const QIcon &Icon()
    {
        if (!FLoaded) {
            FLoaded = true;
            if (FStyle)
                FIcon = FStyle->standardIcon(FWhich, FOption ? &*FOption : nullptr);
        }
        return FIcon;
    }

    QPointer<const QStyle> FStyle;
    QStyle::StandardPixmap FWhich;
    std::optional<QStyleOption> FOption;
    bool FLoaded = false;
    QIcon FIcon;
};

class TEditorStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        // Only icons that depend on nothing but the style and a plain option
        // (its direction), asked for while widgets are made.
        static constexpr StandardPixmap kDeferred[] = {
            SP_ToolBarHorizontalExtensionButton, SP_ToolBarVerticalExtensionButton, SP_TitleBarMenuButton,
            SP_TitleBarMinButton, SP_TitleBarMaxButton, SP_TitleBarCloseButton, SP_TitleBarNormalButton};
        if ((option && option->type != QStyleOption::SO_Default)
            || std::find(std::begin(kDeferred), std::end(kDeferred), which) == std::end(kDeferred))
            return QProxyStyle::standardIcon(which, option, widget);
        return QIcon(new TDeferredStandardIcon(baseStyle(), which, option));
    }
};

} // namespace

void InstallEditorStyle()
{
    QApplication::setStyle(new TEditorStyle(QApplication::style()->name()));
}
