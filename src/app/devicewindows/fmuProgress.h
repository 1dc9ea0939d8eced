#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class TProgress;

/// The progress window of a long device operation: its caption, the share
/// done, a bar, the seconds since the start and "Прервать", which asks
/// "Прервать операцию ?" and on Yes sets Cancelled of the progress; the
/// operation stops after its current block. The main window creates it once.
///
/// Usage: the main window calls ShowProgress for every report of the
/// keyboard manager's TProgress. While it is shown the window is modal, so no
/// other window takes input and no command can be given; the main window must
/// not disable itself instead, as that would disable this window, its child,
/// too. ShowProgress lets the event loop run once, so that the window repaints
/// and its button can be pressed while the operation runs on the same thread.
class TfmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfmProgress(QWidget *parent = nullptr);

    /// Shows a report of progress and processes the pending events: a start
    /// resets the window, takes the caption and shows it; a step shows the
    /// share done and the seconds; a finish shows the seconds and hides it.
    void ShowProgress(TProgress &progress);

    /// "Прервать" (also Escape and the close button): asks whether to stop
    /// and cancels the operation on Yes; the window stays until the operation
    /// reports its finish.
    void reject() override;

private:
    void btnCancelClick();

    QLabel *lblName;
    QLabel *lblProgress;
    QProgressBar *ProgressBar;
    QLabel *lblTimeLeft_;
    QLabel *lblTimeLeft;
    QPushButton *btnCancel;
    // The progress of the latest report, which "Прервать" cancels.
    TProgress *FProgress = nullptr;
};
