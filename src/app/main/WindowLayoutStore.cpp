#include "main/WindowLayoutStore.h"

#include "base/Error.h"
#include "base/SafeFile.h"
#include "settings/IniFile.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kPlacement = QStringLiteral("Placement");
const QString kToolbars = QStringLiteral("Toolbars");
const QString kCaptionChecked = QStringLiteral("CaptionChecked");

QByteArray FromBase64(const QString &text)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

} // namespace

QRect TWindowLayoutStore::FirstPlacement(const QSize &minimum)
{
    // The share of the screen's free area the main window takes at its
    // first start: large enough for every toolbar with its captions, with
    // room around it.
    constexpr qreal kShare = 0.85;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(QPoint(), QSize(900, 680).expandedTo(minimum));
    const QRect area = screen->availableGeometry();
    const QSize size = (area.size() * kShare).expandedTo(minimum).boundedTo(area.size());
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area);
}

bool TWindowLayoutStore::FirstMaximized()
{
    // Below this width a share of the screen leaves the toolbars too little
    // room: the first start then takes the whole screen.
    constexpr int kRoomyWidth = 1280;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->availableGeometry().width() < kRoomyWidth;
}

QString TWindowLayoutStore::FileNameFor(const QString &settingsFileName)
{
    return QFileInfo(settingsFileName).absolutePath() + QStringLiteral("/RozUvaz.ini");
}

TWindowLayoutStore::TWindowLayoutStore(QString fileName) : FFileName(std::move(fileName)) {}

void TWindowLayoutStore::Load()
{
    Placement.clear();
    ToolbarState.clear();
    CaptionChecked = false;
    TIniFile ini;
    try {
        if (!QFileInfo::exists(FFileName))
            return;
        ini.FromBytes(ReadFileBounded(FFileName, FileLimits::kSettingsFile));
    } catch (const EError &) {
        return;
    }
    Placement = FromBase64(ini.ReadString(kSection, kPlacement, QString()));
    ToolbarState = FromBase64(ini.ReadString(kSection, kToolbars, QString()));
    CaptionChecked = ini.ReadBool(kSection, kCaptionChecked, false);
}

void TWindowLayoutStore::Save() const
{
    TIniFile ini;
    // Keys written by others stay; a file that cannot be read is replaced.
    try {
        if (QFileInfo::exists(FFileName))
            ini.FromBytes(ReadFileBounded(FFileName, FileLimits::kSettingsFile));
    } catch (const EError &) {
        ini.Clear();
    }
    ini.WriteString(kSection, kPlacement, QString::fromLatin1(Placement.toBase64()));
    ini.WriteString(kSection, kToolbars, QString::fromLatin1(ToolbarState.toBase64()));
    ini.WriteBool(kSection, kCaptionChecked, CaptionChecked);
    WriteFileAtomically(FFileName, ini.ToBytes());
}
