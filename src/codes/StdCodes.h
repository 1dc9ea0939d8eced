#pragma once

#include "codes/CodeTable.h"

#include <memory>

// The program-wide flat table of standard keys, which the text form of code
// sequences uses for key names. The keyboard manager loads the code set at
// start and installs its flat table here.

/// Returns the flat table in force: the installed one, else the built-in
/// table (built on first use).
const TCodeTable &StdCodeTable();

/// Puts a flat table in force; null returns to the built-in table. References
/// to the table in force before become invalid.
void InstallStdCodeTable(std::unique_ptr<TCodeTable> table);
