#pragma once

#include <string>

#include "platform/result.h"

namespace brackmoor {

// What decides where the program keeps "Brackmoor.INI", "Game Settings.ini" and "Snaps".
struct AppPathFacts {
    std::string programFolder;  // the folder of the running executable, links resolved
    std::string installBinDir;  // the bin folder of the prefix the program was built for
    bool programFolderWritable = false;
    std::string dataOption;        // the folder given with --data; empty when not given
    std::string userConfigFolder;  // the user's configuration folder for the program; may be empty
    std::string userDataFolder;    // the user's data folder for the program; may be empty
    // An earlier version kept the settings files beside "Snaps" in the user's data folder, and
    // the configuration folder has none yet.
    bool settingsInDataFolder = false;
};

// Where the state of one run lives; both folders end in a separator and are often the same.
struct AppFolders {
    std::string settings;  // "Brackmoor.INI", "Game Settings.ini" and starter configurations
    std::string snaps;     // the folder that holds "Snaps"
};

// - The --data folder for both, when one was given.
// - The user's folders for a copy installed where it was built to go (its bin folder), even
//   when that folder can be written (as for root): an installed program never writes beside
//   itself. Settings go to the configuration folder, "Snaps" to the data folder; settings an
//   earlier version left in the data folder stay there.
// - Otherwise the program's own folder for both, a portable copy, unless that folder cannot be
//   written and the user's folders are known, which then take its place as above.
AppFolders ChooseAppFolders(const AppPathFacts& facts);

// The facts for the running program: its folder (links resolved), the bin folder it was built
// for, whether its folder can be written, and the user's folders from Qt's standard places.
AppPathFacts CurrentAppPathFacts(const std::string& dataOption);

// Makes the application folder (and the folders above it) where it is missing; fails, naming
// the folder and the reason, when it cannot be made.
Result MakeAppFolder(const std::string& appPath);

// `folder` with a trailing separator, not doubled at a root.
std::string WithTrailingSeparator(std::string folder);

}  // namespace brackmoor
