#pragma once

#include <cstdint>
#include <optional>

class QListWidget;
class TKeyboardManager;
class TKeyboards;

/// Fills list with the names of the catalogue's models, in catalogue order;
/// each item carries its model's identifier.
void FillModelList(QListWidget &list, const TKeyboards &keyboards);
/// Makes the item of the model with the identifier the current and selected
/// one; selects none without an identifier or when no item has it.
void SelectModelItem(QListWidget &list, std::optional<int> keyboardId);
/// Returns the identifier of the selected model, none without a selection.
std::optional<int> SelectedModelID(const QListWidget &list);

/// Returns the model code the connected keyboard reports in its program
/// record; the keyboard is brought into working mode first. Raises the
/// device's error when it does not answer.
uint8_t ReadDeviceType(TKeyboardManager &manager);
