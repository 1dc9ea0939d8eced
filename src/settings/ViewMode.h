#pragma once

/// How a document window shows its layout. The numbers are the ones the
/// settings file keeps ("ViewMode") and the order of the zooms kept per view.
enum TViewMode : int {
    vmLayout = 0,
    vmPicture = 1,
    vmSimplified = 2,
};

/// Returns the view mode of a stored number; an unknown one is the layout view.
constexpr TViewMode ToViewMode(int value)
{
    return value == vmPicture || value == vmSimplified ? TViewMode(value) : vmLayout;
}
