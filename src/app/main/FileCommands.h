#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;
class TDocumentWindows;
class TfmDoc;
class TKeyboardManager;
class TRecentFiles;
struct TMainActions;

/// The commands of the "&Файл" menu: new, open, save, save as, the recent
/// files, close, close all, print and exit.
class TFileCommands : public QObject {
    Q_OBJECT

public:
    TFileCommands(const TMainActions &actions, TDocumentWindows &documents, TKeyboardManager &manager,
                  TRecentFiles &recent, QWidget &window);

    /// Opens a file with the open registry's format at formatIndex into a new
    /// document window; the file goes to the top of the recent files first,
    /// and stays there when reading fails (the error is raised, no window is
    /// shown). A file already open in a window brings that window forward.
    void OpenFile(const QString &fileName, int formatIndex);
    /// Opens files as "&Открыть" would: ".bin" files as device images,
    /// everything else as XML layouts. Each failure is shown on its own.
    void OpenFiles(const QStringList &fileNames);
    /// "&Сохранить": to the document's file in its remembered format, or
    /// "Сохранить как..." when it has none.
    void Save(TfmDoc &document);
    /// "Сохранить как...": returns false when the dialog was cancelled.
    bool SaveAs(TfmDoc &document);
    /// Returns the open registry's index that reads what the save registry's
    /// format at saveIndex writes, or -1 for a format that cannot be opened.
    int OpenIndexForSaveFormat(int saveIndex) const;

private:
    void New();
    void Open();
    void Print();

    TDocumentWindows &FDocuments;
    TKeyboardManager &FManager;
    TRecentFiles &FRecent;
    QWidget &FWindow;
};
