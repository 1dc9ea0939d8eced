#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QSvgRenderer;

/// "О программе": the application title, the version lines, the logo
/// (resource "LOGOBMP"), the maker's address, web site and support e-mail
/// (both open with the system's handler), "OK" and "Проверить обновления...",
/// which emits checkUpdatesRequested.
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    TfmAbout(const QString &title, const QStringList &lines, const QFont &font, QWidget *parent = nullptr);

signals:
    void checkUpdatesRequested();

protected:
    /// Draws the white logo panel with grey top and left edges, the rules
    /// under the title and above the buttons, and the logo.
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *FLogo;
};
