#include "options/option_values.h"

#include "settings/profile_values.h"

namespace brackmoor {

namespace {

std::vector<std::string> UsedSlots(const std::string& appPath, const char* section, int slots) {
    std::vector<std::string> used;
    for (int slot = 1; slot <= slots; ++slot) {
        std::string value = ReadProfileValue(appPath, section, std::to_string(slot));
        if (!value.empty()) {
            used.push_back(std::move(value));
        }
    }
    return used;
}

}  // namespace

OptionValues ReadOptionValues(const std::string& appPath) {
    OptionValues values;
    values.configs = UsedSlots(appPath, "Config Locations", 50);
    values.workbenches = UsedSlots(appPath, "WorkBench Locations", 10);
    values.games = ReadProfileValue(appPath, "Brackmoor", "StartGameDir");
    values.exe = ReadProfileValue(appPath, "WinUAE Compatability", "WinUAEName");
    values.commandLine = ReadProfileValue(appPath, "WinUAE Compatability", "WinUAECommandLinePass");
    values.floppyCount = ReadProfileValue(appPath, "WinUAE Compatability", "FloppyCountName");
    for (int drive = 0; drive < 4; ++drive) {
        values.floppy[drive] = ReadProfileValue(appPath, "WinUAE Compatability",
                                                "Floppy" + std::to_string(drive) + "Name");
    }
    return values;
}

}  // namespace brackmoor
