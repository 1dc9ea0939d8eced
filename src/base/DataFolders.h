#pragma once

#include <QString>

// Where the programs find the data they ship and where they keep the user's
// own data.

/// Returns the folder that holds the shipped data folders ("Клавиатуры",
/// "Клавиши", "Справка") of a program in programFolder: programFolder itself
/// when "Клавиатуры" lies beside the program (a portable folder such as
/// build/bin), else "../share/ravlin" of it when that folder exists (an
/// installed program: /usr/bin finds /usr/share/ravlin), else programFolder.
QString ProgramDataFolder(const QString &programFolder);

/// Returns the user's own data folder of the programs, "ravlin" in the
/// system's per-user data folder (~/.local/share/ravlin).
QString UserDataFolder();
