#pragma once

/// A rectangle of cells, both corners inclusive. Grid coordinates count
/// columns and rows from 1, key coordinates from 0; each user says which.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const TRect &) const = default;
    /// Returns whether the cell lies inside, the border included.
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    /// Returns whether the rectangle is one cell.
    bool IsSingleCell() const { return Left == Right && Top == Bottom; }
};

/// Returns whether two rectangles share at least one cell.
inline bool Overlaps(const TRect &a, const TRect &b)
{
    return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}
