#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class TMRUList;

/// The recent-files entries of the "&Файл" menu: at most four files, most
/// recent first, each with the position of its format in the open registry.
/// The entries stand before a given item, captioned "&1 PATH" and so on,
/// with a separator above them only while there are any.
class TRecentFiles : public QObject {
    Q_OBJECT

public:
    /// The most entries the menu holds.
    static constexpr int kMaxEntries = 4;

    /// Puts the entries into menu before before.
    TRecentFiles(QMenu &menu, QAction *before, QObject *parent = nullptr);

    /// Replaces the entries by the list's first kMaxEntries.
    void Load(const TMRUList &list);
    /// Replaces the list's entries by the menu's.
    void Store(TMRUList &list) const;
    /// Puts the file at the top with its format index: an entry for the same
    /// path moves up and takes the index; the oldest drops out past four.
    void Add(const QString &fileName, int formatIndex);
    int Count() const { return int(FEntries.size()); }

signals:
    /// An entry was chosen: open the file with the open registry's format.
    void openRequested(const QString &fileName, int formatIndex);

private:
    struct TEntry {
        QString FileName;
        int FormatIndex;
    };
    void Refresh();

    QList<TEntry> FEntries;
    QAction *FSeparator;
    QList<QAction *> FActions;
};
