#pragma once

#include <QString>

// Element and attribute names of the XML layout file, shared by its writer
// and its reader. Element names are compared exactly, attribute names with
// letter case ignored.
namespace XMLLayoutNames {

inline const QString kLayout = QStringLiteral("Раскладка");
inline const QString kVersion = QStringLiteral("Vesion");

inline const QString kParams = QStringLiteral("Параметры");
inline const QString kKeyboardID = QStringLiteral("KeyboardID");
inline const QString kSelTop = QStringLiteral("STop");
inline const QString kSelLeft = QStringLiteral("SLeft");
inline const QString kSelRight = QStringLiteral("SRight");
inline const QString kSelBottom = QStringLiteral("SBottom");
/// The model attribute of old files (identifier or model code minus one).
inline const QString kOldModel = QStringLiteral("Параметры");

inline const QString kLayers = QStringLiteral("Слои");
inline const QString kLayer = QStringLiteral("Слой");
inline const QString kKeys = QStringLiteral("Клавиши");
inline const QString kKey = QStringLiteral("Клавиша");
inline const QString kNumber = QStringLiteral("Номер");
inline const QString kColumn = QStringLiteral("Колонка");
inline const QString kRow = QStringLiteral("Ряд");
inline const QString kRemark = QStringLiteral("Примечание");
inline const QString kAutoRepeat = QStringLiteral("РазрешениеПовтора");
inline const QString kKeyType = QStringLiteral("ТипКлавиши");
inline const QString kMakeCodes = QStringLiteral("КодыНажатия");
inline const QString kBreakCodes = QStringLiteral("КодыОтжатия");
/// The attribute holding a code sequence's text, and the element of a key
/// lock position's codes.
inline const QString kScanCodes = QStringLiteral("СканКоды");
inline const QString kOldCode = QStringLiteral("СканКод");
inline const QString kOldCodeLow = QStringLiteral("Код");
inline const QString kOldCodeHigh = QStringLiteral("РасширенныйКод");
inline const QString kOldCodeText = QStringLiteral("Текст");

inline const QString kNotes = QStringLiteral("Ноты");
inline const QString kNote = QStringLiteral("Нота");
inline const QString kPitch = QStringLiteral("Нота");
inline const QString kDuration = QStringLiteral("Длительность");
inline const QString kVolume = QStringLiteral("Громкость");

inline const QString kPicture = QStringLiteral("Picture");
inline const QString kBackgroundColor = QStringLiteral("BackgroundColor");
inline const QString kText = QStringLiteral("Text");
inline const QString kTextOrientation = QStringLiteral("TextOrientation");
inline const QString kFontPixels = QStringLiteral("FontFixels");
inline const QString kFontCharset = QStringLiteral("FontCharset");
inline const QString kFontColor = QStringLiteral("FontColor");
inline const QString kFontHeight = QStringLiteral("FontHeight");
inline const QString kFontName = QStringLiteral("FontName");
inline const QString kFontSize = QStringLiteral("FontSize");
inline const QString kFontStyle = QStringLiteral("FontStyle");
inline const QString kPictureData = QStringLiteral("Data");

inline const QString kMSR = QStringLiteral("MSR");
inline const QString kSendEnter = QStringLiteral("ПосылатьEnter");
inline const QString kStopOnError = QStringLiteral("СтопПриОшибке");
inline const QString kLightIndication = QStringLiteral("LightIndication");
inline const QString kTracks[3] = {QStringLiteral("Трек1"), QStringLiteral("Трек2"), QStringLiteral("Трек3")};
inline const QString kEnabled = QStringLiteral("Включен");
inline const QString kPrefix = QStringLiteral("Префикс");
inline const QString kSuffix = QStringLiteral("Суффикс");

inline const QString kKeyLock = QStringLiteral("KeyLock");
inline const QString kPosition = QStringLiteral("Позиция");
inline const QString kPositionType = QStringLiteral("ТипПоложения");
inline const QString kLocked = QStringLiteral("Блокировка");

inline const QString kGroups = QStringLiteral("Группы");
inline const QString kGroup = QStringLiteral("Группа");
inline const QString kTop = QStringLiteral("Top");
inline const QString kLeft = QStringLiteral("Left");
inline const QString kRight = QStringLiteral("Right");
inline const QString kBottom = QStringLiteral("Bottom");

} // namespace XMLLayoutNames
