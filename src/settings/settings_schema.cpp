#include "settings/settings_schema.h"

#include "platform/profile_file.h"
#include "settings/window_placement.h"

namespace brackmoor {

namespace {

std::string WholeNumber(double value) {
    return std::to_string(static_cast<long long>(value));
}

Result SetAll(IniDocument& document, const std::vector<SettingsEntry>& entries) {
    for (const SettingsEntry& entry : entries) {
        if (Result set = document.set(entry.section, entry.key, entry.value); !set) {
            return Result::Fail(entry.section + "/" + entry.key + ": " + set.error());
        }
    }
    return Result::Ok();
}

void AddSlots(std::vector<SettingsEntry>& entries, const LocationList& list,
              LauncherSettings& values, const std::string& unusedSlot) {
    for (int n = 1; n <= list.slots; ++n) {
        const std::string& value = list.slot(values, n);
        entries.push_back({list.section, std::to_string(n), value.empty() ? unusedSlot : value});
    }
}

}  // namespace

const LocationList& ConfigList() {
    static const LocationList list{"Config Locations", 50,
                                   [](LauncherSettings& s, int n) -> std::string& {
                                       return s.ConfigLocations.at(static_cast<std::size_t>(n));
                                   }};
    return list;
}

const LocationList& WorkbenchList() {
    static const LocationList list{"WorkBench Locations", 10,
                                   [](LauncherSettings& s, int n) -> std::string& {
                                       return s.WorkBenchLocations.at(static_cast<std::size_t>(n));
                                   }};
    return list;
}

const std::array<TextSetting, 12>& TextSettings() {
    using S = LauncherSettings;
    static const std::array<TextSetting, 12> settings = {{
        {kBrackmoorSection, "StartGameDir", [](S& s) -> std::string& { return s.CurrentGameDir; },
         "C:\\Games\\Amiga"},
        {kWinUAESection, "WinUAEName", [](S& s) -> std::string& { return s.WinUAEName; },
         "C:\\Games\\WinUAE\\WinUAE.exe"},
        {kWinUAESection, "WinUAECommandLinePass",
         [](S& s) -> std::string& { return s.WinUAECommandLinePass; }, "-config="},
        {kWinUAESection, "FloppyCountName", [](S& s) -> std::string& { return s.FloppyCountName; },
         "nr_floppies"},
        {kWinUAESection, "Floppy0Name", [](S& s) -> std::string& { return s.FloppyName[0]; },
         "floppy0"},
        {kWinUAESection, "Floppy1Name", [](S& s) -> std::string& { return s.FloppyName[1]; },
         "floppy1"},
        {kWinUAESection, "Floppy2Name", [](S& s) -> std::string& { return s.FloppyName[2]; },
         "floppy2"},
        {kWinUAESection, "Floppy3Name", [](S& s) -> std::string& { return s.FloppyName[3]; },
         "floppy3"},
        {kWinUAESection, "Floppy0TypeName",
         [](S& s) -> std::string& { return s.FloppyTypeName[0]; }, nullptr},
        {kWinUAESection, "Floppy1TypeName",
         [](S& s) -> std::string& { return s.FloppyTypeName[1]; }, nullptr},
        {kWinUAESection, "Floppy2TypeName",
         [](S& s) -> std::string& { return s.FloppyTypeName[2]; }, nullptr},
        {kWinUAESection, "Floppy3TypeName",
         [](S& s) -> std::string& { return s.FloppyTypeName[3]; }, nullptr},
    }};
    return settings;
}

std::vector<SettingsEntry> DefaultSettingsEntries() {
    std::vector<SettingsEntry> entries;
    for (const TextSetting& setting : TextSettings()) {
        if (setting.defaultValue != nullptr) {
            entries.push_back({setting.section, setting.key, setting.defaultValue});
        }
    }
    LauncherSettings defaults;
    defaults.ConfigLocations[1] = kDefaultConfigLocation;
    AddSlots(entries, WorkbenchList(), defaults, "");
    AddSlots(entries, ConfigList(), defaults, "");
    for (const WindowPlacement& window : kDefaultWindowPlacements) {
        const double values[] = {window.width, window.height, window.left, window.top};
        for (std::size_t i = 0; i < kWindowKeys.size(); ++i) {
            entries.push_back({window.section, kWindowKeys[i], WholeNumber(values[i])});
        }
    }
    return entries;
}

std::vector<SettingsEntry> SettingsEntriesOf(LauncherSettings values, bool withTypeNames,
                                             const std::string& unusedSlot) {
    std::vector<SettingsEntry> entries;
    for (const TextSetting& setting : TextSettings()) {
        if (setting.defaultValue != nullptr || withTypeNames) {
            entries.push_back({setting.section, setting.key, setting.field(values)});
        }
    }
    AddSlots(entries, WorkbenchList(), values, unusedSlot);
    AddSlots(entries, ConfigList(), values, unusedSlot);
    return entries;
}

Result ApplySettingsEntries(std::string& bytes, const std::vector<SettingsEntry>& entries) {
    IniDocument document(bytes);
    Result applied = SetAll(document, entries);
    if (applied) {
        bytes = document.bytes();
    }
    return applied;
}

Result WriteSettingsEntries(const std::filesystem::path& file,
                            const std::vector<SettingsEntry>& entries) {
    return UpdateProfile(file, [&](IniDocument& document) { return SetAll(document, entries); });
}

}  // namespace brackmoor
