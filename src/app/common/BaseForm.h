#pragma once

#include <QFont>
#include <QWidget>

class TFont;

/// The base of every dialog and document window: its construction gives the
/// form the application font of the settings. Windows that exist keep their
/// font when the setting changes later.
class TBaseForm : public QWidget {
    Q_OBJECT

public:
    explicit TBaseForm(const TFont &font, QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    /// Returns the Qt font for the settings' font. A face this system does
    /// not have (the default "MS Sans Serif" on Linux) becomes the system's
    /// default sans serif face at the same size.
    static QFont FormFont(const TFont &font);

    /// Returns the font the system font dialog starts from for font: the
    /// face FormFont draws with, named by its own style name ("Book"), at
    /// the font's size in points. The dialog picks a face by style name, and
    /// the generic name of a plain font ("Normal") may name no face of the
    /// family: it would fall on the family's first face, which may be
    /// oblique.
    static QFont FontDialogStart(const TFont &font);

    /// Shows a tool window, brings it to the front and gives it the keys.
    /// The first time it is placed at the top right of its parent window
    /// (kept on the screen), where it covers neither the menus nor the start
    /// of the grid; later it comes back where the user left it.
    void ShowBesideParent();

private:
    bool FPlaced = false;
};
