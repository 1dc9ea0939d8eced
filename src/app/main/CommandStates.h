#pragma once

class TfmDoc;
struct TMainActions;

/// Enables and checks the main window's commands for the active document
/// window (null when there is none): document commands need a document,
/// "Сохранить" a document that needs saving, "Вставить" text on the
/// clipboard, "Сгруппировать" a selection of several cells,
/// "Разгруппировать" a group in the selection, "Слой 2" to "Слой 4" a
/// layout with that many layers; the shown layer and the view mode are
/// checked. Without a document nothing is checked.
void UpdateCommandStates(const TMainActions &actions, const TfmDoc *document);
