#pragma once

#include "common/BaseForm.h"
#include "common/KeyCapture.h"

class QMenu;
class QPlainTextEdit;
class QTabWidget;
struct TKeyMessage;

/// The window "Тест клавиатуры": on the page "Коды клавиш" every press and
/// release of the keyboard under test adds a line "+A (1E )" (the key's code
/// text and its scan code bytes) and goes no further; on the page "Текст"
/// the keyboard types as usual. Not modal; the main window creates it once
/// and closing only hides it.
///
/// The window hears the keys through an application-wide key hook, held
/// only while it is the active window.
class TfmTest : public TBaseForm {
    Q_OBJECT
public:
    /// font is the application font of the settings.
    explicit TfmTest(const TFont &font, QWidget *parent = nullptr);
    ~TfmTest() override;

    /// Shows the window and makes it the active one.
    void ShowTest();

    /// Returns the line a key's code gives: its text and its scan code
    /// bytes, each as two capital hexadecimal digits and a blank.
    static QString CodeLine(const QString &codeText, const QByteArray &scanCode);

protected:
    bool event(QEvent *event) override;

private:
    bool OnKeyMessage(const TKeyMessage &message);
    QMenu *CreateMemoMenu(QPlainTextEdit *memo, const QString &prefix);

    QTabWidget *PageControl;
    QWidget *tsCodes;
    QWidget *tsText;
    QPlainTextEdit *MemoCodes;
    QPlainTextEdit *MemoText;
    QMenu *pmMemoCodes;
    QMenu *pmMemoText;
    TKeyHook *FHook;
    THeardKeys FHeard;
};
