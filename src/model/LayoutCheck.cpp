#include "model/Key.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/ScanCodes.h"

namespace {

// The check stops after the eleventh error line.
constexpr int kMaxErrorLines = 11;

} // namespace

bool TLayout::Check(const TMessageSink &sink) const
{
    int errors = 0;
    auto report = [&](const QString &line) {
        ++errors;
        if (sink)
            sink(line, FInstanceNumber);
        return errors >= kMaxErrorLines;
    };
    for (int l = 0; l < LayerCount(); ++l) {
        const TLayer &layer = FLayers->Item(l);
        const int layerNumber = l + 1;
        const TKeys &keys = layer.Keys();
        for (int k = 0; k < keys.Count(); ++k) {
            const TKey &key = keys.Item(k);
            const struct {
                const TScanCodes &Codes;
                const char *What;
            } sequences[] = {{key.MakeCodes(), QT_TRANSLATE_NOOP("TLayout", "Коды нажатия")},
                             {key.BreakCodes(), QT_TRANSLATE_NOOP("TLayout", "Коды отжатия")}};
            for (const auto &s : sequences) {
                if (s.Codes.Validate())
                    continue;
                if (report(CheckLineFormat()
                               .arg(errors + 1)
                               .arg(layerNumber)
                               .arg(key.Row() + 1)
                               .arg(key.Col() + 1)
                               .arg(tr(s.What), s.Codes.ErrorText())))
                    return false;
            }
        }
        if (!layer.MSR().Validate() &&
            report(
                tr("[Ошибка(%1)] Слой %2. %3").arg(errors + 1).arg(layerNumber).arg(layer.MSR().ErrorText())))
            return false;
        if (!layer.KeyLock().Validate() && report(tr("[Ошибка(%1)] Слой %2. %3")
                                                      .arg(errors + 1)
                                                      .arg(layerNumber)
                                                      .arg(layer.KeyLock().ErrorText())))
            return false;
    }
    return errors == 0;
}
