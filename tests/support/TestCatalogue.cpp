#include "support/TestCatalogue.h"

#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"

QString ShippedKeyboardsFolder()
{
    return QStringLiteral(RAVLIN_DATA_DIR "/") + QStringLiteral("Клавиатуры");
}

std::unique_ptr<TKeyboards> LoadKeyboards(const QString &folder)
{
    auto keyboards = std::make_unique<TKeyboards>();
    TXMLKeyboard loader;
    loader.LoadFolder(folder, *keyboards);
    return keyboards;
}

const TKeyboards &ShippedKeyboards()
{
    static const std::unique_ptr<TKeyboards> keyboards = LoadKeyboards(ShippedKeyboardsFolder());
    return *keyboards;
}
