#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QWidget;
class TDocumentWindows;
class TFileCommands;
class TfmProgress;
class TKeyboardManager;
class TProgress;
struct TMainActions;

/// The commands of the "&Устройство" menu that need no window of their own:
/// write and read the layout, read the layout memory into a file, write an
/// image or a program file, and switch the keyboard's mode. It also shows
/// the progress of every long operation of the keyboard manager: the main
/// window is disabled while the operation runs, the progress window shows
/// each report and can cancel.
class TDeviceCommands : public QObject {
    Q_OBJECT

public:
    TDeviceCommands(const TMainActions &actions, TDocumentWindows &documents, TFileCommands &files,
                    TKeyboardManager &manager, QWidget &window);
    ~TDeviceCommands() override;

    TfmProgress &ProgressWindow() const { return *FProgress; }

private:
    void ShowProgress(TProgress &progress);
    void WriteLayout();
    void ReadLayout();
    void ReadMemory();
    void WriteMemory();
    void WriteProgram();

    TDocumentWindows &FDocuments;
    TFileCommands &FFiles;
    TKeyboardManager &FManager;
    QWidget &FWindow;
    TfmProgress *FProgress;
    /// The widget that had the keys when an operation started; they go back
    /// to it when it ends.
    QPointer<QWidget> FFocusBefore;
};
