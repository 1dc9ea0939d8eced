#pragma once

#include "codes/KeyMessage.h"
#include "model/ScanCodes.h"
#include "common/KeyCapture.h"

#include <QByteArray>
#include <QDialog>
#include <QSet>
#include <memory>

class QLabel;
class QPlainTextEdit;
class TfmCstKey;
class TfmStdKey;
class TKeyboardManager;
class TKeyHook;

/// The key code dialog "Коды клавиши": records a code sequence from the keys
/// pressed and released on the PC keyboard while its list has the focus, and
/// adds standard keys ("Выбрать...") and raw bytes ("Задать..."). What it
/// records is added after the codes the sequence had.
///
/// Usage: if (codes.Execute(sequence, kcBoth)) show sequence.Text().
class TfmCodes : public QDialog {
    Q_OBJECT
public:
    explicit TfmCodes(TKeyboardManager &manager, QWidget *parent = nullptr);
    ~TfmCodes() override;

    /// Runs the dialog modally on a copy of codes in a recording mode
    /// (TKeyCapture); on OK codes becomes the copy. Returns whether OK.
    bool Execute(TScanCodes &codes, int mode);
    /// Prepares a run without showing the dialog: the working sequence
    /// becomes a copy of codes, the list shows it and gets the focus.
    void Start(const TScanCodes &codes, int mode);
    /// Returns the working sequence.
    const TScanCodes &Codes() const { return FCodes; }

    /// Returns whether the recorder hears the keyboard (the list has the
    /// focus).
    bool IsRecording() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    /// Records one key message; returns false for the keys that go on to
    /// the windows (Tab).
    bool OnKeyMessage(const TKeyMessage &message);
    void Append(const TScanCode &code);
    void ShowLines();
    void ChooseStdKey();
    void EnterBytes();
    void ClearCodes();
    void ShowError(const QString &text);
    /// Gives the list the focus, which puts the recorder back.
    void FocusList();

    TKeyboardManager &FManager;
    TScanCodes FCodes;
    int FMode = kcBoth;
    /// The latest recording failed: the release that follows is skipped.
    bool FError = false;
    /// The keys the recorder heard go down in this run (either kind,
    /// whatever the mode), so that the release of the Enter or Escape that
    /// closed the window before this one or a picker over it is no code.
    THeardKeys FHeard;
    std::unique_ptr<TKeyHook> FHook;
    TfmStdKey *FStdKey = nullptr;
    TfmCstKey *FCstKey = nullptr;
    QPlainTextEdit *mmCodes;
    QLabel *lblModeHint;
};
