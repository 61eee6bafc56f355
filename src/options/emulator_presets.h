#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace brackmoor {

// A ready-made configuration file an emulator can start from.
struct StarterConfiguration {
    std::string fileName;  // made in the "Configurations" folder beside the settings file
    std::string content;
};

// What the options dialog needs to know to set the launcher up for one emulator: where its
// program usually is, what goes on its command line before the quoted configuration path and
// how its configuration files name the floppy keys.
struct EmulatorPreset {
    std::string name;  // as the "Set up for" choice shows it
    // Looked for, in this order, in the folders of PATH, then at the usual places; the
    // fallback (possibly empty, for the user to fill in) when none is there.
    std::vector<std::string> programNames;
    std::vector<std::string> usualPlaces;
    std::string fallbackProgram;
    // As the dialog's box holds it; a trailing blank separates the configuration path into an
    // argument of its own.
    std::string commandLinePass;
    std::string floppyCountName;
    std::array<std::string, 4> floppyNames;
    std::array<std::string, 4> floppyTypeNames;
    std::vector<StarterConfiguration> starters;  // an A500 and an A1200
};

// WinUAE (the settings of a default file, plus the drive-type keys), FS-UAE and Amiberry, in
// the order the choice shows them.
const std::vector<EmulatorPreset>& EmulatorPresets();

// The preset of that name; null when there is none.
const EmulatorPreset* FindEmulatorPreset(std::string_view name);

// The preset whose count and floppy key names are these, the one with this pass first when
// several share the names; null when none matches.
const EmulatorPreset* MatchEmulatorPreset(std::string_view commandLinePass,
                                          std::string_view floppyCountName,
                                          const std::array<std::string, 4>& floppyNames);

// The preset's program as a full path: found in a folder of `searchPath` (a PATH value,
// folders separated by ":"), else at a usual place, else the fallback. The emulator is started
// without a search of PATH, so a name found there is returned with its folder.
std::string FindEmulatorProgram(const EmulatorPreset& preset, std::string_view searchPath);

// True when no entry names an existing file: the list is empty, or every entry names a file
// that is not there (as the Windows path of a first start's default file on Linux).
bool NoConfigurationExists(const std::vector<std::string>& entries);

// The folder starter configurations are made in: "Configurations" in the application folder.
std::filesystem::path StarterFolder(const std::string& appPath);

// Makes the preset's starter configurations in StarterFolder (and the folder when missing). A
// file that is there already is kept as it is, never overwritten. On success `entries` becomes
// the starters' paths followed by the former entries that name existing files, at most 50; on
// failure, which names the file and the reason, `entries` is unchanged (files made before the
// failure stay: they are new and harm nothing).
Result AddStarterConfigurations(const EmulatorPreset& preset, const std::string& appPath,
                                std::vector<std::string>& entries);

}  // namespace brackmoor
