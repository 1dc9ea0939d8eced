#pragma once

#include "CliCommands.h"

#include <memory>

class TCodeTable;
class TKeyboards;

/// Loads the data folder's keyboard models into keyboards; files that fail
/// are reported on the error stream and skipped.
void LoadCatalogue(TCliContext &context, TKeyboards &keyboards);

/// Returns the flat standard code table of the data folder (the built-in one
/// when the folder's file is missing or faulty).
std::unique_ptr<TCodeTable> LoadCodeTable(const TCliContext &context);
