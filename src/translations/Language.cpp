#include "translations/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

TLanguage LanguageFromSetting(const QString &value)
{
    if (value == u"ru")
        return TLanguage::Russian;
    if (value == u"en")
        return TLanguage::English;
    return TLanguage::System;
}

QString LanguageSetting(TLanguage language)
{
    switch (language) {
    case TLanguage::Russian:
        return QStringLiteral("ru");
    case TLanguage::English:
        return QStringLiteral("en");
    case TLanguage::System:
        break;
    }
    return {};
}

TLanguage ResolvedLanguage(TLanguage chosen, const QLocale &system)
{
    if (chosen != TLanguage::System)
        return chosen;
    const QStringList languages = system.uiLanguages();
    const QLocale::Language first = languages.isEmpty() ? QLocale::C : QLocale(languages.first()).language();
    return first == QLocale::Russian || first == QLocale::C ? TLanguage::Russian : TLanguage::English;
}

namespace {

TLanguage InUse = TLanguage::Russian;

bool Install(QCoreApplication &application, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

TLanguage InstallTranslations(QCoreApplication &application, TLanguage chosen)
{
    const TLanguage language = ResolvedLanguage(chosen);
    InUse = language;
    if (language == TLanguage::English)
        Install(application, QStringLiteral("ravlin_en"), QStringLiteral(":/i18n"));
    else
        Install(application, QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language;
}

TLanguage LanguageInUse()
{
    return InUse;
}
