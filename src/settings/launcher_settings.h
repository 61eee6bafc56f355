#pragma once

#include <array>
#include <string>

namespace brackmoor {

// The launcher settings of one run, read once at start-up from "Brackmoor.INI". Every value
// is kept exactly as ReadProfileValue returns it, so a key missing from the file holds "None".
struct LauncherSettings {
    // Folder of the program's settings and game settings; ends in a separator.
    std::string AppPath;
    // Folder that holds "Snaps", the screenshots; ends in a separator. The same as AppPath for
    // a portable copy, the user's data folder for an installed one.
    std::string SnapsPath;
    // Slot n (1..50) is key n of "Config Locations"; slot 0 stays empty.
    std::array<std::string, 51> ConfigLocations;
    // Slot n (1..10) is key n of "WorkBench Locations"; slot 0 stays empty.
    std::array<std::string, 11> WorkBenchLocations;
    std::string CurrentGameDir;
    std::string PreviousGameDir;
    std::string WinUAEName;
    std::string WinUAECommandLinePass;
    std::string FloppyCountName;
    // FloppyName[n] is FloppynName of the file, FloppyTypeName[n] is FloppynTypeName.
    std::array<std::string, 4> FloppyName;
    std::array<std::string, 4> FloppyTypeName;
    // Set when the options dialog was last left with Cancel, cleared when it saved.
    bool OptionsCancelled = false;
};

}  // namespace brackmoor
