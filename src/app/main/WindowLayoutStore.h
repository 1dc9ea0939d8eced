#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

/// The window layout store "RozUvaz": the main window's placement, the state
/// of its toolbars and docks, and the button-caption toggle "CaptionChecked",
/// all in section "Settings" of the INI file RozUvaz.ini beside the settings
/// file. A missing or unreadable file, or values that make no sense, give
/// the defaults (no placement, no state, captions off).
class TWindowLayoutStore {
public:
    /// Returns the main window's place when the store has none: most of the
    /// primary screen's free area, centred, never below minimum.
    static QRect FirstPlacement(const QSize &minimum);
    /// Returns whether the main window starts maximised at its first start
    /// (on a small screen).
    static bool FirstMaximized();
    /// Returns the store's file in the folder of the settings file.
    static QString FileNameFor(const QString &settingsFileName);

    explicit TWindowLayoutStore(QString fileName);

    /// Reads the store; any fault leaves the defaults.
    void Load();
    /// Writes the store in one step; raises EError when it cannot be written.
    void Save() const;

    const QString &FileName() const { return FFileName; }
    /// The main window's saveGeometry.
    QByteArray Placement;
    /// The main window's saveState: toolbars and docks.
    QByteArray ToolbarState;
    bool CaptionChecked = false;

private:
    QString FFileName;
};
