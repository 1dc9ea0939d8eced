#pragma once

#include <QString>
#include <memory>

class TKeyboards;

/// Returns the folder of the shipped model descriptions (data/Клавиатуры).
QString ShippedKeyboardsFolder();
/// Returns a new catalogue loaded from a folder of model descriptions.
std::unique_ptr<TKeyboards> LoadKeyboards(const QString &folder);
/// Returns the shipped catalogue (IDs 1 to 6, model codes 1 to 5), loaded on
/// first use and kept for the run.
const TKeyboards &ShippedKeyboards();
