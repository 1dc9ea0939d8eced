#include "FuzzSupport.h"

#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"
#include "files/XMLLayout.h"

#include <QCoreApplication>
#include <QHashFunctions>
#include <cstdio>
#include <cstdlib>

QByteArray FuzzInput(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

const TKeyboards &FuzzKeyboards()
{
    static const TKeyboards *const keyboards = [] {
        auto *loaded = new TKeyboards;
        TXMLKeyboard().LoadFolder(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры"), *loaded);
        return loaded;
    }();
    return *keyboards;
}

QByteArray LayoutText(const TLayout &layout)
{
    static TXMLLayout *const format = new TXMLLayout(nullptr, FuzzKeyboards());
    return format->SaveToString(layout);
}

void RequireUnchanged(const QByteArray &before, const TLayout &layout, QByteArrayView input)
{
    constexpr size_t kCheckedShare = 8;
    if (qHash(input) % kCheckedShare != 0 || LayoutText(layout) == before)
        return;
    std::fputs("A refused load changed the layout.\n", stderr);
    std::abort();
}

// Pictures are decoded by Qt's image plugins, which an application object
// finds. It gets the program name only: the fuzzer's options are not Qt's.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static int qtArgc = *argc > 0 ? 1 : 0;
    static char *qtArgv[] = {*argc > 0 ? (*argv)[0] : nullptr, nullptr};
    static QCoreApplication *const application = new QCoreApplication(qtArgc, qtArgv);
    (void)application;
    return 0;
}
