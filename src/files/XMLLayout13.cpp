#include "files/XMLLayout13.h"

#include "files/XMLLayoutNames.h"
#include "files/XMLLayoutWrite.h"
#include "model/Key.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"
#include "xml/XMLDocumentIO.h"
#include "xml/XMLStreamWriter.h"

#include <QCoreApplication>

using namespace XMLLayoutNames;
using namespace XMLLayoutWrite;

namespace {

// A sequence is written as one "СканКод" per make item, whenever it holds any
// item at all. A one-byte make code is stored as itself with extended code 0;
// a longer one as its second byte with the first (the prefix byte, E0h) as
// the extended code. Releases and bytes the code table does not know are
// implied or lost in this form.
void AddCodeElements(TXMLStreamWriter &out, const QString &name, const TScanCodes &codes)
{
    if (codes.IsEmpty())
        return;
    out.Begin(name);
    int written = 0;
    for (int i = 0; i < codes.Count(); ++i) {
        const TScanCode &code = codes.Item(i);
        const QByteArray &data = code.Data();
        if (code.CodeType != ctMake || data.isEmpty())
            continue;
        const bool extended = data.size() > 1;
        out.Begin(kOldCode);
        out.Attribute(kNumber, ++written);
        out.Attribute(kOldCodeLow, int(uint8_t(data[extended ? 1 : 0])));
        out.Attribute(kOldCodeHigh, extended ? int(uint8_t(data[0])) : 0);
        out.Attribute(kOldCodeText, code.Name);
        out.End();
    }
    out.End();
}

void AddKey(TXMLStreamWriter &out, const TKey &key, int position)
{
    if (key.IsEmpty())
        return;
    BeginKey(out, key, position);
    AddCodeElements(out, kMakeCodes, key.MakeCodes());
    AddCodeElements(out, kBreakCodes, key.BreakCodes());
    AddNotes(out, key.Melody());
    out.End();
}

// The model as the old tools numbered it: the identifier minus one.
void AddOldModel(TXMLStreamWriter &out, const TLayout &layout)
{
    out.Attribute(kOldModel, layout.KeyboardID() - 1);
}

// Keys are numbered by their place in the list, which is how the old tools
// numbered them; empty keys are left out, and so is the reader's light
// indication, which those tools did not know.
constexpr TXMLLayoutForm k13Form{nullptr, AddOldModel, AddCodeElements, AddKey, false};

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
    WriteDocument(stream, SaveToString(layout));
}

QByteArray TXMLLayout13::SaveToString(const TLayout &layout)
{
    return WriteLayout(layout, k13Form);
}
