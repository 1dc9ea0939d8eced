#include "common/BaseForm.h"

#include "model/Font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QScreen>
#include <algorithm>

TBaseForm::TBaseForm(const TFont &font, QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setFont(FormFont(font));
}

QFont TBaseForm::FormFont(const TFont &font)
{
    QFont result = font.ToQFont();
    if (!QFontDatabase::hasFamily(font.Name()))
        // The system font's family may be an alias ("Sans Serif"): take the
        // face it resolves to, so that the form names a real one.
        result.setFamily(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    return result;
}

QFont TBaseForm::FontDialogStart(const TFont &font)
{
    QFont start = FormFont(font);
    const QFontInfo face(start);
    start.setFamily(face.family());
    start.setStyleName(face.styleName());
    // The dialog's sizes are points; the settings convert theirs with their
    // own resolution, which need not be the screen's.
    if (font.Size() > 0)
        start.setPointSize(font.Size());
    return start;
}

void TBaseForm::ShowBesideParent()
{
    if (!FPlaced && parentWidget()) {
        FPlaced = true;
        adjustSize();
        const QRect owner = parentWidget()->window()->frameGeometry();
        // Clear of the main window's menu bar and toolbars, inside its right edge.
        constexpr int kMargin = 24;
        QPoint place(owner.right() - width() - kMargin, owner.top() + owner.height() / 8);
        if (const QScreen *screen = parentWidget()->window()->screen()) {
            const QRect area = screen->availableGeometry();
            place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - width())));
            place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height())));
        }
        move(place);
    }
    show();
    raise();
    // The user asked for this window: the keys go to it, as they do to a
    // window the system shows for the first time.
    activateWindow();
}
