#pragma once
#include <QLocale>
#include <QString>

class QCoreApplication;

/// The language of the editor, the command-line tool and the emulator. The
/// texts are written in Russian; English comes from a translation built into
/// the program.
enum class TLanguage { System, Russian, English };

/// Returns the language a settings value names: "ru", "en", anything else
/// (an empty value too) the system's.
TLanguage LanguageFromSetting(const QString &value);
/// Returns the settings value of a language: "ru", "en", or empty for the
/// system's.
QString LanguageSetting(TLanguage language);

/// Returns Russian or English: a chosen language itself, and for System the
/// locale's first user-interface language, Russian when that is Russian or
/// not set (the "C" locale), English otherwise.
TLanguage ResolvedLanguage(TLanguage chosen, const QLocale &system = QLocale::system());

/// Installs the translations of the resolved language into application: the
/// program's own for English, Qt's own (standard buttons, file dialogs) for
/// Russian. Returns the language in use; when a translation cannot be
/// loaded the texts stay as they are written.
TLanguage InstallTranslations(QCoreApplication &application, TLanguage chosen);

/// Returns the language InstallTranslations last installed; Russian before.
TLanguage LanguageInUse();
