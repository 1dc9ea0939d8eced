#pragma once

#include <QString>
#include <array>

/// A program version: major, minor, release, build.
using TVersion = std::array<int, 4>;

/// What the update server's version file says, judged against the own
/// version.
struct TUpdateAnswer {
    /// The seven characters after the file's first "=" (fewer at its end).
    QString ServerVersion;
    /// The file holds "version=".
    bool Readable = false;
    /// The server's version is newer than the own one.
    bool Newer = false;
    /// Everything after the seven version characters: the changes.
    QString Changes;
    /// Why a readable file's version could not be compared; empty when it
    /// could.
    QString Error;
};

/// Reads "a.b.c.d" (one digit each, exactly seven characters) into a
/// version; raises EConvertError for anything else.
TVersion ParseVersion(const QString &text);

/// Returns whether server is newer than own, comparing in order of
/// significance: major, then minor, then release, then build.
bool IsNewerVersion(const TVersion &server, const TVersion &own);

/// Judges the text of a version file: "version=" followed directly by the
/// version in seven characters, then the changes.
TUpdateAnswer ReadUpdateAnswer(const QString &body, const TVersion &own);
