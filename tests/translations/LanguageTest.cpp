#include "translations/Language.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(Language, SystemMeansRussianForRussianOrUnsetLocalesAndEnglishForAnyOther)
{
    EXPECT_EQ(ResolvedLanguage(TLanguage::System, QLocale(QStringLiteral("ru_RU"))), TLanguage::Russian);
    EXPECT_EQ(ResolvedLanguage(TLanguage::System, QLocale::c()), TLanguage::Russian);
    EXPECT_EQ(ResolvedLanguage(TLanguage::System, QLocale(QStringLiteral("en_US"))), TLanguage::English);
    EXPECT_EQ(ResolvedLanguage(TLanguage::System, QLocale(QStringLiteral("de_DE"))), TLanguage::English);
    EXPECT_EQ(ResolvedLanguage(TLanguage::Russian, QLocale(QStringLiteral("en_US"))), TLanguage::Russian);
    EXPECT_EQ(ResolvedLanguage(TLanguage::English, QLocale(QStringLiteral("ru_RU"))), TLanguage::English);
    for (TLanguage language : {TLanguage::System, TLanguage::Russian, TLanguage::English})
        EXPECT_EQ(LanguageFromSetting(LanguageSetting(language)), language);
    EXPECT_EQ(LanguageFromSetting(QStringLiteral("fr")), TLanguage::System);
}

TEST(Language, TheEnglishTranslationIsBuiltIntoTheProgram)
{
    int argc = 1;
    char name[] = "translations_tests";
    char *argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    EXPECT_EQ(InstallTranslations(application, TLanguage::English), TLanguage::English);
    EXPECT_EQ(QCoreApplication::translate("TActionRegistry", "Проверить раскладку"), QStringLiteral("Check Layout"));
}
