#include "main/RecentFiles.h"

#include "settings/MRUList.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

TRecentFiles::TRecentFiles(QMenu &menu, QAction *before, QObject *parent) : QObject(parent)
{
    FSeparator = menu.insertSeparator(before);
    for (int i = 0; i < kMaxEntries; ++i) {
        auto *action = new QAction(&menu);
        action->setObjectName(QStringLiteral("miRecent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < FEntries.size()) {
                const TEntry entry = FEntries[i];
                emit openRequested(entry.FileName, entry.FormatIndex);
            }
        });
        menu.insertAction(before, action);
        FActions << action;
    }
    // The separator of the exit item follows the entries.
    menu.insertSeparator(before);
    Refresh();
}

void TRecentFiles::Load(const TMRUList &list)
{
    FEntries.clear();
    for (const TMRUEntry &entry : list.Items()) {
        if (FEntries.size() == kMaxEntries)
            break;
        FEntries.append({entry.FileName, entry.FormatIndex});
    }
    Refresh();
}

void TRecentFiles::Store(TMRUList &list) const
{
    list.Clear();
    for (const TEntry &entry : FEntries)
        list.Add({entry.FileName, entry.FormatIndex});
}

void TRecentFiles::Add(const QString &fileName, int formatIndex)
{
    const QString path = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    for (qsizetype i = 0; i < FEntries.size(); ++i)
        if (FEntries[i].FileName == path) {
            FEntries.removeAt(i);
            break;
        }
    FEntries.prepend({path, formatIndex});
    if (FEntries.size() > kMaxEntries)
        FEntries.removeLast();
    Refresh();
}

void TRecentFiles::Refresh()
{
    FSeparator->setVisible(!FEntries.isEmpty());
    for (int i = 0; i < kMaxEntries; ++i) {
        QAction *action = FActions[i];
        action->setVisible(i < FEntries.size());
        if (i < FEntries.size())
            action->setText(QStringLiteral("&%1 %2").arg(QString::number(i + 1), FEntries[i].FileName));
    }
}
