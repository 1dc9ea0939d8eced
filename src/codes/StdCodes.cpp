#include "codes/StdCodes.h"

#include "codes/CodeSet.h"

namespace {

const TCodeTable &BuiltInTable()
{
    static const std::unique_ptr<TCodeTable> table = [] {
        TCodeSet codeSet;
        codeSet.LoadBuiltIn();
        auto flat = std::make_unique<TCodeTable>();
        flat->BuildFrom(codeSet);
        return flat;
    }();
    return *table;
}

std::unique_ptr<TCodeTable> &InstalledTable()
{
    static std::unique_ptr<TCodeTable> table;
    return table;
}

} // namespace

const TCodeTable &StdCodeTable()
{
    const std::unique_ptr<TCodeTable> &installed = InstalledTable();
    return installed ? *installed : BuiltInTable();
}

void InstallStdCodeTable(std::unique_ptr<TCodeTable> table)
{
    InstalledTable() = std::move(table);
}
