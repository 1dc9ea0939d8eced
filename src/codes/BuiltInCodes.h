#pragma once

class TCodeSet;

/// The number of keys of the built-in table.
inline constexpr int kBuiltInCodeCount = 125;

/// Replaces the groups of the set by the built-in table of standard keys.
void FillBuiltInCodes(TCodeSet &codeSet);
