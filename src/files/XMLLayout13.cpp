#include "files/XMLLayout13.h"

#include "files/XMLLayoutNames.h"
#include "files/XMLLayoutWrite.h"
#include "model/Key.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>

using namespace XMLLayoutNames;
using namespace XMLLayoutWrite;

namespace {

// A sequence is written as one "СканКод" per make item, whenever it holds any
// item at all. A one-byte make code is stored as itself with extended code 0;
// a longer one as its second byte with the first (the prefix byte, E0h) as
// the extended code. Releases and bytes the code table does not know are
// implied or lost in this form.
void AddCodeElements(TXMLItem &parent, const QString &name, const TScanCodes &codes)
{
    if (codes.IsEmpty())
        return;
    TXMLItem &item = AddChild(parent, name);
    int written = 0;
    for (int i = 0; i < codes.Count(); ++i) {
        const TScanCode &code = codes.Item(i);
        const QByteArray &data = code.Data();
        if (code.CodeType != ctMake || data.isEmpty())
            continue;
        const bool extended = data.size() > 1;
        TXMLItem &child = AddChild(item, kOldCode);
        child.SetAttribute(kNumber, IntText(++written));
        child.SetAttribute(kOldCodeLow, IntText(uint8_t(data[extended ? 1 : 0])));
        child.SetAttribute(kOldCodeHigh, IntText(extended ? uint8_t(data[0]) : 0));
        child.SetAttribute(kOldCodeText, code.Name);
    }
}

void AddKey(TXMLItem &parent, const TKey &key, int position)
{
    if (key.IsEmpty())
        return;
    TXMLItem &item = AddChild(parent, kKey);
    item.SetAttribute(kNumber, IntText(position));
    item.SetAttribute(kColumn, IntText(key.Col()));
    item.SetAttribute(kRow, IntText(key.Row()));
    item.SetAttribute(kRemark, key.Remark());
    item.SetAttribute(kAutoRepeat, FlagText(key.AutoRepeat()));
    item.SetAttribute(kKeyType, IntText(key.KeyType()));
    AddCodeElements(item, kMakeCodes, key.MakeCodes());
    AddCodeElements(item, kBreakCodes, key.BreakCodes());
    AddNotes(item, key.Melody());
}

// Keys are numbered by their place in the list, which is how the old tools
// numbered them; empty keys are left out, and so is the reader's light
// indication, which those tools did not know.
constexpr TXMLLayoutForm k13Form{AddCodeElements, AddKey, false};

} // namespace

TXMLLayout13::TXMLLayout13(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TLayoutFormat(formats, keyboards)
{}

QString TXMLLayout13::GetFilter() const
{
    return QCoreApplication::translate("TXMLLayout13", "Раскладка Ravlin 1.3 (*.xml)") +
           QStringLiteral("|*.xml");
}

QString TXMLLayout13::ShortName() const
{
    return QStringLiteral("xml13");
}

QString TXMLLayout13::DefaultSuffix() const
{
    return QStringLiteral("xml");
}

void TXMLLayout13::SaveToStream(const TLayout &layout, QIODevice &stream)
{
    FParser.Clear();
    FParser.StyleSheet.clear();
    TXMLItem &root = FParser.Root();
    root.SetName(kLayout);

    TXMLItem &params = AddChild(root, kParams);
    params.SetAttribute(kOldModel, IntText(layout.KeyboardID() - 1));
    SetSelection(params, layout.Selection());
    AddLayers(root, layout.Layers(), k13Form);
    AddGroups(root, layout.Groups());
    FParser.SaveToStream(stream);
}
