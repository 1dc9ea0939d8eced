#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QSvgRenderer;

/// What the about box tells.
struct TAboutContents {
    /// The application title.
    QString Title;
    /// The version lines: the program's and the driver's.
    QStringList Lines;
    /// The name of the program's licence.
    QString LicenseName;
    /// The project's web page; empty when there is none, and then none is
    /// shown.
    QString WebPage;
};

/// "О программе": the application title, the version lines, the licence, the
/// web page when there is one (it opens with the system's handler), the logo
/// (resource "LOGOBMP"), "OK" and "Проверить обновления...", which emits
/// checkUpdatesRequested.
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    TfmAbout(const TAboutContents &contents, const QFont &font, QWidget *parent = nullptr);

signals:
    void checkUpdatesRequested();

protected:
    /// Draws the white logo panel with grey top and left edges, the rules
    /// under the title and above the buttons, and the logo.
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *FLogo;
};
