#include "options/option_values.h"

#include "settings/profile_values.h"
#include "settings/settings_schema.h"

namespace brackmoor {

namespace {

std::vector<std::string> UsedSlots(const std::string& appPath, const LocationList& list) {
    std::vector<std::string> used;
    for (int slot = 1; slot <= list.slots; ++slot) {
        std::string value = ReadProfileValue(appPath, list.section, std::to_string(slot));
        if (!value.empty()) {
            used.push_back(std::move(value));
        }
    }
    return used;
}

}  // namespace

OptionValues ReadOptionValues(const std::string& appPath) {
    OptionValues values;
    values.configs = UsedSlots(appPath, ConfigList());
    values.workbenches = UsedSlots(appPath, WorkbenchList());
    LauncherSettings read;
    for (const TextSetting& setting : TextSettings()) {
        setting.field(read) = ReadProfileValue(appPath, setting.section, setting.key);
    }
    values.games = read.CurrentGameDir;
    values.exe = read.WinUAEName;
    values.commandLine = read.WinUAECommandLinePass;
    values.floppyCount = read.FloppyCountName;
    values.floppy = read.FloppyName;
    return values;
}

}  // namespace brackmoor
