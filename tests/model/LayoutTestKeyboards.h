#pragma once

#include "catalogue/KeyDefs.h"
#include "catalogue/Keyboards.h"

#include <initializer_list>
#include <tuple>

// Keyboard descriptions built in code for the layout tests.

/// Adds a full matrix description: every cell a key, numbered row by row
/// from 1 (cell (c, r) from 0 has number r * width + c + 1).
inline TKeyboard &AddMatrixKeyboard(TKeyboards &keyboards, int id, int width, int height, int layers,
                                    int keyPositions = 0)
{
    TKeyboard &k = keyboards.Add();
    k.ID = id;
    k.Model = id;
    k.Name = QStringLiteral("M%1").arg(id);
    k.Width = width;
    k.Height = height;
    k.Layers = layers;
    k.HasKey = keyPositions > 0;
    k.KeyPos = keyPositions;
    for (int r = 1; r <= height; ++r)
        for (int c = 1; c <= width; ++c)
            k.KeyDefs().Add(c, r, (r - 1) * width + c);
    k.MaxKeysNum = k.KeyCount();
    return k;
}

/// Adds a description with the given key cells (from 1) and numbers.
inline TKeyboard &AddKeyboard(TKeyboards &keyboards, int id, int width, int height, int layers,
                              std::initializer_list<std::tuple<int, int, int>> keys)
{
    TKeyboard &k = keyboards.Add();
    k.ID = id;
    k.Model = id;
    k.Width = width;
    k.Height = height;
    k.Layers = layers;
    for (const auto &[left, top, number] : keys)
        k.KeyDefs().Add(left, top, number);
    k.MaxKeysNum = k.KeyCount();
    return k;
}
