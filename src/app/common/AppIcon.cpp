#include "common/AppIcon.h"

#include "common/ToolbarIcons.h"

QIcon AppIcon()
{
    // The resource lives in a static library: naming its initialiser links it
    // into every program that asks for the icon.
    Q_INIT_RESOURCE(ravlin_icons);
    return SvgIcon(QStringLiteral(":/icons/ravlin.svg"));
}
