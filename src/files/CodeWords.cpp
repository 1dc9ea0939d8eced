#include "files/CodeWords.h"

#include "codes/StdCodes.h"
#include "model/ScanCodes.h"

#include <optional>
#include <vector>

void AppendBreakItems(TScanCodes &codes)
{
    // The breaks are looked up first: appending while walking the items
    // would walk the new ones too.
    std::vector<TScanCode> breaks;
    for (int i = 0; i < codes.Count(); ++i) {
        const TScanCode &item = codes.Item(i);
        if (item.CodeType != ctMake)
            continue;
        std::optional<TScanCode> found = StdCodeTable().FindByScanCode(item.ScanCode, true);
        if (found && !found->Data().isEmpty())
            breaks.push_back(std::move(*found));
    }
    for (const TScanCode &item : breaks)
        codes.Add().Assign(item);
}
