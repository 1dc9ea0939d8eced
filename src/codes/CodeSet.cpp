#include "codes/CodeSet.h"

#include "base/Error.h"
#include "base/HexText.h"
#include "codes/BuiltInCodes.h"
#include "xml/ECXMLParser.h"

#include <QCoreApplication>

TCodeTable &TCodeSet::AddGroup(const QString &name)
{
    FGroups.push_back(std::make_unique<TCodeTable>(name));
    return *FGroups.back();
}

void TCodeSet::Clear()
{
    FGroups.clear();
}

void TCodeSet::Load(const QString &programFolder)
{
    Clear();
    try {
        LoadFromFile(programFolder + QStringLiteral("/Клавиши/Клавиши.xml"));
        return;
    } catch (const EError &) {
        // A missing or faulty file never reaches the user: the built-in table
        // takes its place.
    }
    // LoadBuiltIn discards every group, those of the failed load among them.
    LoadBuiltIn();
}

void TCodeSet::LoadFromFile(const QString &fileName)
{
    TECXMLParser parser;
    parser.LoadFromFile(fileName);
    LoadFromParser(parser);
}

void TCodeSet::LoadFromBytes(QByteArrayView bytes)
{
    TECXMLParser parser;
    parser.LoadFromBytes(bytes);
    LoadFromParser(parser);
}

void TCodeSet::LoadFromParser(const TECXMLParser &parser)
{
    const TXMLItem &root = parser.Root();
    if (root.Name() != u"Root")
        throw EError(QCoreApplication::translate(
            "TCodeSet", "Неверное имя корневого элемента в файле описания стандартных кодов."));
    if (root.Count() == 0)
        throw EError(QCoreApplication::translate(
            "TCodeSet", "Отсутствуют группы клавиш в файле описания стандартных кодов."));
    // The element names of groups and keys are not examined: every child of
    // the root is a group, every child of a group a key.
    for (int g = 0; g < root.Count(); ++g) {
        const TXMLItem &groupItem = *root.Item(g);
        TCodeTable &group = AddGroup(groupItem.Attribute(u"Name"));
        for (int k = 0; k < groupItem.Count(); ++k) {
            const TXMLItem &key = *groupItem.Item(k);
            group.Add(key.Attribute(u"Name"), HexToBytes(key.Attribute(u"Scancode")),
                      HexToBytes(key.Attribute(u"Breakcode")), HexToBytes(key.Attribute(u"Makecode")));
        }
    }
}

void TCodeSet::LoadBuiltIn()
{
    FillBuiltInCodes(*this);
}
