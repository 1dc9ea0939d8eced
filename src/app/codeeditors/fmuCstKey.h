#pragma once

#include <QByteArray>
#include <QDialog>

class QLineEdit;
class TFont;

/// The custom code dialog "Новая клавиша": raw code bytes typed in
/// hexadecimal. The text keeps what was typed last between runs.
///
/// Usage: if (dialog.exec() == QDialog::Accepted) append dialog.Bytes().
class TfmCstKey : public QDialog {
    Q_OBJECT
public:
    explicit TfmCstKey(const TFont &font, QWidget *parent = nullptr);

    /// Returns the bytes of the typed text: 0-9 and A-F (capitals only) are
    /// digits, every other character separates; two digits in a row make a
    /// byte, a lone digit a byte of its own ("123" gives 12h 03h).
    QByteArray Bytes() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *edCode;
};
