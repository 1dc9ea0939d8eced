#pragma once

#include "xml/ECXMLParser.h"

#include <QByteArrayView>
#include <QString>
#include <functional>

class TKeyboard;
class TKeyboards;

/// Reads keyboard model descriptions: one XML file per model, root element
/// "Keyboard" with the model's attributes, "Key" children for the key cells
/// and "Params" children holding the parameter tree.
class TXMLKeyboard {
public:
    /// Told of every description file that LoadFolder skips: the file name
    /// (relative to the folder) and the error message that refused it.
    using TSkippedFileEvent = std::function<void(const QString &fileName, const QString &message)>;

    TXMLKeyboard() = default;
    TXMLKeyboard(const TXMLKeyboard &) = delete;
    TXMLKeyboard &operator=(const TXMLKeyboard &) = delete;

    /// Replaces the catalogue by the descriptions of all "*.xml" files of a
    /// folder (letter case ignored, hidden files included, in name order).
    /// A file that fails to load, or whose identifier an earlier file already
    /// has, is skipped and reported to onSkipped. Raises
    /// "Не удалось загрузить описания клавиатур:\r\nНе существует директория
    /// "%s"" (catalogue unchanged) when the folder does not exist, and
    /// "В папке %s не найдены описания клавиатур." when no file loaded. The
    /// process's current directory is not changed.
    void LoadFolder(const QString &folder, TKeyboards &keyboards, const TSkippedFileEvent &onSkipped = {});

    /// Reads one description file into keyboard, replacing its content. On
    /// failure raises EError (the reader's, the number conversion's or
    /// "Неверное имя корневого элемента.", "Отсутствуют описания клавиш.",
    /// "Неверные параметры положения кнопки.", or "Неверное количество
    /// колонок: %d (допустимо от %d до %d)." and its like for columns or rows
    /// outside 1 to 255, layers outside 1 to 4 and key lock positions outside
    /// 0 to 8) and leaves keyboard unchanged.
    void LoadFile(const QString &fileName, TKeyboard &keyboard);
    /// Reads one description from the bytes of such a file, like LoadFile.
    void LoadFromBytes(QByteArrayView bytes, TKeyboard &keyboard);

private:
    /// Fills keyboard from the document the parser holds.
    void LoadParsed(TKeyboard &keyboard);

    TECXMLParser FParser;
};

/// Returns the report line of a skipped description file:
/// "Ошибка в файле %s: %s" with the file name and the error message.
QString SkippedFileMessage(const QString &fileName, const QString &message);
