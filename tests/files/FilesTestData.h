#pragma once

#include "base/Error.h"
#include "base/Win1251.h"
#include "catalogue/Keyboards.h"
#include "support/TestCatalogue.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// Input files of the layout format tests and small builders of layout
// documents (Windows-1251 bytes, CR LF line ends, as the program writes them).

/// Returns the path of a file in tests/data/files.
inline QString FilesTestPath(const QString &name)
{
    return QStringLiteral(RAVLIN_TEST_DATA_DIR "/files/") + name;
}

/// Returns the bytes of a file, empty (with a failed expectation) when it
/// cannot be read.
inline QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

/// Returns the catalogue of the test models (tests/data/files/models): the
/// model with identifier 7, two keys in one row, two layers, a key lock of
/// two positions and a reader with tracks 1 and 3.
inline const TKeyboards &TestModels()
{
    static const std::unique_ptr<TKeyboards> keyboards =
        LoadKeyboards(FilesTestPath(QStringLiteral("models")));
    return *keyboards;
}

/// Returns the shipped models and test model 7 in one catalogue
/// (identifiers 1 to 7), so that every seed file of a robustness test names
/// a known model.
inline const TKeyboards &AllTestModels()
{
    static const std::unique_ptr<TKeyboards> keyboards = [] {
        auto all = std::make_unique<TKeyboards>();
        for (const TKeyboards *source : {&ShippedKeyboards(), &TestModels()})
            for (int i = 0; i < source->Count(); ++i)
                all->Add().Assign(source->Item(i));
        return all;
    }();
    return *keyboards;
}

/// Returns a layout document: the declaration, the root "Раскладка" with the
/// root attributes (e.g. Vesion="020A") and the body lines.
inline QByteArray LayoutDocument(const QString &rootAttributes, const QString &body)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n  <Раскладка");
    if (!rootAttributes.isEmpty())
        text += u' ' + rootAttributes;
    text += QStringLiteral(">\r\n") + body + QStringLiteral("\r\n  </Раскладка>\r\n");
    return ToWin1251(text);
}

/// Returns the body of a document with one layer element holding keysBody
/// inside "Клавиши".
inline QString OneLayerBody(const QString &params, const QString &keysBody)
{
    return QStringLiteral("<Параметры %1/><Слои><Слой><Клавиши>%2</Клавиши></Слой></Слои>")
        .arg(params, keysBody);
}

/// Returns the message of the EError that call raises, or "no error".
template <typename TCall> QString ErrorOf(TCall &&call)
{
    try {
        call();
    } catch (const EError &error) {
        return error.Message();
    }
    return QStringLiteral("no error");
}
