#pragma once

#include <array>
#include <string>
#include <vector>

namespace brackmoor {

// What the options dialog shows: the launcher settings file as it is when the dialog opens.
struct OptionValues {
    std::vector<std::string> configs;      // used "Config Locations" slots, in slot order
    std::vector<std::string> workbenches;  // used "WorkBench Locations" slots, in slot order
    std::string games;                     // Brackmoor/StartGameDir
    std::string exe;                       // WinUAEName
    std::string commandLine;               // WinUAECommandLinePass
    std::string floppyCount;               // FloppyCountName
    std::array<std::string, 4> floppy;     // Floppy0Name .. Floppy3Name
};

// Reads every value the dialog shows, in the dialog's order. Empty slots close up; a missing
// key shows as "None" like any other value.
OptionValues ReadOptionValues(const std::string& appPath);

}  // namespace brackmoor
