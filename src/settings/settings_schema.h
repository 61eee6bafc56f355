#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/result.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

// The launcher settings file "Brackmoor.INI": every section and key it holds, in the order the
// file is written. The start-up load, the default file, the options dialog's save and the
// tests all go through these tables, so each name is spelled once.

inline constexpr char kBrackmoorSection[] = "Brackmoor";
inline constexpr char kWinUAESection[] = "WinUAE Compatability";

// A list of locations: keys "1" to "slots", the used slots first and without gaps.
struct LocationList {
    const char* section;
    int slots;
    std::string& (*slot)(LauncherSettings&, int n);  // slot n, 1-based
};
const LocationList& ConfigList();
const LocationList& WorkbenchList();

// One text value, the field of LauncherSettings that holds it and its value in the default
// file (nullptr: the default file leaves the key out).
struct TextSetting {
    const char* section;
    const char* key;
    std::string& (*field)(LauncherSettings&);
    const char* defaultValue;
};
// StartGameDir first, then the emulator's program, pass and key names, in file order.
const std::array<TextSetting, 12>& TextSettings();

// The first configuration of the default file.
inline constexpr char kDefaultConfigLocation[] = "C:\\Games\\WinUAE\\Configurations\\1200.uae";

// The keys of a window section, in the order they are written.
inline constexpr std::array<const char*, 4> kWindowKeys = {"Width", "Height", "Left", "Top"};

struct SettingsEntry {
    std::string section;
    std::string key;
    std::string value;
};

// The default settings file, key by key, in its order.
std::vector<SettingsEntry> DefaultSettingsEntries();

// What a save of the options writes for `values`: StartGameDir and the emulator's names
// (the four type names only `withTypeNames`), then every Workbench slot, then every
// configuration slot, each as `unusedSlot` when empty.
std::vector<SettingsEntry> SettingsEntriesOf(LauncherSettings values, bool withTypeNames,
                                             const std::string& unusedSlot = " ");

// The entries written in order into the file's bytes (an empty string for a new file).
Result ApplySettingsEntries(std::string& bytes, const std::vector<SettingsEntry>& entries);

// The entries written into the settings file as one atomic replacement: all of them land, or
// none.
Result WriteSettingsEntries(const std::filesystem::path& file,
                            const std::vector<SettingsEntry>& entries);

}  // namespace brackmoor
