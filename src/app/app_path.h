#pragma once

#include <string>

#include "platform/result.h"

namespace brackmoor {

// What decides where the program keeps "Brackmoor.INI", "Game Settings.ini" and "Snaps".
struct AppPathFacts {
    std::string programFolder;  // the folder of the running executable, links resolved
    std::string installBinDir;  // the bin folder of the prefix the program was built for
    bool programFolderWritable = false;
    std::string dataOption;      // the folder given with --data; empty when not given
    std::string userDataFolder;  // the user's data folder for the program; may be empty
};

// The application folder, ending in a separator:
// - the --data folder when one was given;
// - the user's data folder for a copy installed where it was built to go (its bin folder),
//   even when that folder can be written (as for root): an installed program never writes
//   beside itself;
// - otherwise the program's own folder, a portable copy, unless that folder cannot be written
//   and the user's data folder is known.
std::string ChooseAppPath(const AppPathFacts& facts);

// The facts for the running program: its folder (links resolved), the bin folder it was built
// for, whether its folder can be written, and the user's data folder from Qt's standard places.
AppPathFacts CurrentAppPathFacts(const std::string& dataOption);

// Makes the application folder (and the folders above it) where it is missing; fails, naming
// the folder and the reason, when it cannot be made.
Result MakeAppFolder(const std::string& appPath);

// `folder` with a trailing separator, not doubled at a root.
std::string WithTrailingSeparator(std::string folder);

}  // namespace brackmoor
