#pragma once

#include <QList>
#include <QString>
#include <functional>

class TLayout;

/// One difference between two layouts, A and B.
struct TLayoutDifference {
    /// The layer, counted from 0; -1 for the layout as a whole (model, groups).
    int Layer = -1;
    /// The key's cell, counted from 0; -1 when the difference is not a key's.
    int Col = -1;
    int Row = -1;
    /// Where in the layer, when not a key: "Считыватель. Дорожка 2",
    /// "Ключ. Позиция 3"; and what differs: "Коды нажатия".
    QString Where;
    QString What;
    /// The two values as the editor shows them.
    QString A;
    QString B;

    /// One line in the message window's form, which a double click there
    /// takes to the key: "[Сравнение] Слой 1. Клавиша (2,3). Коды нажатия:
    /// "+A -A" -> "+B -B"".
    QString Text() const;
};

/// Returns the differences of b from a, key by key and layer by layer: the
/// model, every key's type, auto repeat, codes, melody, remark and picture,
/// keys only one layout has, the groups, each layer's card reader and key
/// lock. modelName names a model by its identifier (the identifier itself
/// when empty). Equal layouts give none.
QList<TLayoutDifference> CompareLayouts(const TLayout &a, const TLayout &b,
                                        const std::function<QString(int)> &modelName = {});
