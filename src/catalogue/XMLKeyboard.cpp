#include "catalogue/XMLKeyboard.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "catalogue/Keyboards.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <algorithm>

namespace {

// Byte fields keep the low 8 bits of the number in the file (256 reads as 0).
uint8_t ByteAttribute(const TXMLItem &item, QStringView name)
{
    return uint8_t(item.IntAttribute(name) & 0xFF);
}

// An optional number: absent or empty counts as 0. The reader keeps an empty
// quoted value as its two quote characters, so that counts as empty too.
int OptionalIntAttribute(const TXMLItem &item, QStringView name)
{
    const QString value = item.Attribute(name);
    if (value.isEmpty() || value == u"\"\"")
        return 0;
    return StrToInt(value);
}

[[noreturn]] void BadKeyPosition()
{
    throw EError(QCoreApplication::translate("TXMLKeyboard", "Неверные параметры положения кнопки."));
}

void LoadKey(const TXMLItem &item, TKeyboard &keyboard)
{
    // A cell outside the matrix on either side would put a key where no
    // layout has one, so a position below 1 is refused like one past the edge.
    const int left = item.IntAttribute(u"Left");
    if (left < 1 || left > keyboard.Width)
        BadKeyPosition();
    const int top = item.IntAttribute(u"Top");
    if (top < 1 || top > keyboard.Height)
        BadKeyPosition();
    keyboard.KeyDefs().Add(left, top, item.IntAttribute(u"LogicalNumber"));
}

// Every layer of a layout holds a key per described cell, and device images
// store cell coordinates, layer numbers and key lock positions in a few bits
// or a byte each: a description outside these ranges could not shape a
// layout, and one of thousands of columns or rows would only exhaust time
// and memory.
constexpr int kMaxMatrixSize = 255;
constexpr int kMaxLayers = 4;
constexpr int kMaxKeyPositions = 8;

// message is the source text of the error, marked for translation, with the
// value as %1 and the limits as %2 and %3.
void CheckRange(int value, int low, int high, const char *message)
{
    if (value < low || value > high)
        throw EError(QCoreApplication::translate("TXMLKeyboard", message).arg(value).arg(low).arg(high));
}

void CheckShape(const TKeyboard &keyboard)
{
    CheckRange(keyboard.Width, 1, kMaxMatrixSize,
               QT_TRANSLATE_NOOP("TXMLKeyboard", "Неверное количество колонок: %1 (допустимо от %2 до %3)."));
    CheckRange(keyboard.Height, 1, kMaxMatrixSize,
               QT_TRANSLATE_NOOP("TXMLKeyboard", "Неверное количество рядов: %1 (допустимо от %2 до %3)."));
    CheckRange(keyboard.Layers, 1, kMaxLayers,
               QT_TRANSLATE_NOOP("TXMLKeyboard", "Неверное количество слоев: %1 (допустимо от %2 до %3)."));
    CheckRange(keyboard.KeyPos, 0, kMaxKeyPositions,
               QT_TRANSLATE_NOOP("TXMLKeyboard",
                                 "Неверное количество положений ключа: %1 (допустимо от %2 до %3)."));
}

// Parameter trees are a few levels deep; the limit keeps a hostile file from
// exhausting the stack in this recursion and in the tree's own destruction.
constexpr int kMaxGroupDepth = 100;

void LoadGroup(const TXMLItem &item, TParamsGroups &groups, int depth)
{
    if (depth > kMaxGroupDepth)
        throw EError(
            QCoreApplication::translate("TXMLKeyboard", "Слишком глубокая вложенность групп параметров."));
    TParamsGroup &group = groups.Add(item.Attribute(u"Name"));
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() == u"Group")
            LoadGroup(child, group.Groups(), depth + 1);
        else if (child.Name() == u"Param")
            group.Params().Add(child.Attribute(u"Name"), child.Attribute(u"Value"));
    }
}

void LoadParams(const TXMLItem &item, TParamsGroups &groups)
{
    for (int i = 0; i < item.Count(); ++i) {
        const TXMLItem &child = *item.Item(i);
        if (child.Name() == u"Group")
            LoadGroup(child, groups, 1);
    }
}

// Description files in name order: the directory listing order is arbitrary,
// and the catalogue order decides which of two descriptions a lookup finds.
QStringList DescriptionFiles(const QDir &dir)
{
    QStringList names =
        dir.entryList({QStringLiteral("*.xml")}, QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        if (const int byCase = a.compare(b, Qt::CaseInsensitive))
            return byCase < 0;
        return a < b;
    });
    return names;
}

} // namespace

QString SkippedFileMessage(const QString &fileName, const QString &message)
{
    return QCoreApplication::translate("TXMLKeyboard", "Ошибка в файле %1: %2").arg(fileName, message);
}

void TXMLKeyboard::LoadFolder(const QString &folder, TKeyboards &keyboards,
                              const TSkippedFileEvent &onSkipped)
{
    if (!QFileInfo(folder).isDir())
        throw EError(
            QCoreApplication::translate(
                "TXMLKeyboard", "Не удалось загрузить описания клавиатур:\r\nНе существует директория \"%1\"")
                .arg(folder));
    keyboards.Clear();
    const QDir dir(folder);
    TKeyboard loaded;
    // The file each identifier came from: layouts name their model by it, so
    // a second description with the same identifier is refused.
    QHash<int, QString> sources;
    const auto skip = [&](const QString &name, const QString &message) {
        if (onSkipped)
            onSkipped(name, message);
    };
    for (const QString &name : DescriptionFiles(dir)) {
        try {
            LoadFile(dir.filePath(name), loaded);
        } catch (const EError &e) {
            skip(name, e.Message());
            continue;
        }
        if (const auto first = sources.constFind(loaded.ID); first != sources.cend()) {
            skip(name,
                 QCoreApplication::translate(
                     "TXMLKeyboard", "Описание клавиатуры с идентификатором %1 уже загружено из файла %2.")
                     .arg(loaded.ID)
                     .arg(*first));
            continue;
        }
        sources.insert(loaded.ID, name);
        keyboards.Add().Assign(loaded);
    }
    if (keyboards.Count() == 0)
        throw EError(QCoreApplication::translate("TXMLKeyboard", "В папке %1 не найдены описания клавиатур.")
                         .arg(folder));
}

void TXMLKeyboard::LoadFile(const QString &fileName, TKeyboard &keyboard)
{
    FParser.LoadFromFile(fileName);
    LoadParsed(keyboard);
}

void TXMLKeyboard::LoadFromBytes(QByteArrayView bytes, TKeyboard &keyboard)
{
    FParser.LoadFromBytes(bytes);
    LoadParsed(keyboard);
}

void TXMLKeyboard::LoadParsed(TKeyboard &keyboard)
{
    const TXMLItem &root = FParser.Root();
    if (root.Name() != u"Keyboard")
        throw EError(QCoreApplication::translate("TXMLKeyboard", "Неверное имя корневого элемента."));
    if (root.Count() == 0)
        throw EError(QCoreApplication::translate("TXMLKeyboard", "Отсутствуют описания клавиш."));

    // Read into a scratch description so that a failing file leaves the
    // caller's one as it was. The attribute order decides which error a file
    // with several faults reports.
    TKeyboard result;
    result.ID = root.IntAttribute(u"ID");
    result.Name = root.Attribute(u"Name");
    result.ClassName = root.Attribute(u"ClassName");
    result.Height = root.IntAttribute(u"Height");
    result.Width = root.IntAttribute(u"Width");
    result.Model = root.IntAttribute(u"Model");
    result.Layers = root.IntAttribute(u"Layers");
    result.HasKey = ByteAttribute(root, u"HasKey");
    result.MaxKeysNum = OptionalIntAttribute(root, u"MaxKeysNum");
    if (result.HasKey != 0)
        result.KeyPos = root.IntAttribute(u"KeyPos");
    result.HasReader = ByteAttribute(root, u"HasReader");
    if (result.HasReader != 0) {
        result.Track1 = ByteAttribute(root, u"Track1");
        result.Track2 = ByteAttribute(root, u"Track2");
        result.Track3 = ByteAttribute(root, u"Track3");
    }

    CheckShape(result);

    // Element names are compared exactly: a "key" child is not a key cell.
    for (int i = 0; i < root.Count(); ++i) {
        const TXMLItem &child = *root.Item(i);
        if (child.Name() == u"Key")
            LoadKey(child, result);
        else if (child.Name() == u"Params")
            LoadParams(child, result.ParamsGroups());
    }
    if (result.MaxKeysNum == 0)
        result.MaxKeysNum = result.KeyCount();
    keyboard.Assign(result);
}
