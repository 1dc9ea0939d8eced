#include "common/SubWindowKeys.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>

void ReleaseSubWindowCloseKey(QMdiSubWindow &frame)
{
    if (!frame.systemMenu())
        return;
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction *action : frame.systemMenu()->actions())
        if (!action->shortcuts().isEmpty() && action->shortcuts() == closeKeys)
            action->setShortcuts({});
}
