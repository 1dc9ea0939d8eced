#pragma once

class TScanCodes;

// Older layout files and the 1.3 device image store a code sequence as a list
// of 16-bit code words holding make codes only (each read with AddCode16 of
// TScanCodes); the break codes are implied and appended afterwards.

/// Appends at the end, for every make item in order, the break item of the
/// same key (keys whose break code is empty get none). Raises the sequence's
/// length message when the breaks do not fit.
void AppendBreakItems(TScanCodes &codes);
