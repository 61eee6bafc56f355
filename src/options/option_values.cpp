#include "options/option_values.h"

#include <algorithm>

#include "platform/ini_document.h"
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

void PutSlots(LauncherSettings& record, const LocationList& list,
              const std::vector<std::string>& entries) {
    const std::size_t used = std::min(entries.size(), static_cast<std::size_t>(list.slots));
    for (std::size_t i = 0; i < used; ++i) {
        list.slot(record, static_cast<int>(i + 1)) = entries[i];
    }
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

bool OptionsComplete(const OptionValues& values) {
    const std::string* texts[] = {&values.exe,         &values.games,     &values.commandLine,
                                  &values.floppyCount, &values.floppy[0], &values.floppy[1],
                                  &values.floppy[2],   &values.floppy[3]};
    return !values.configs.empty() &&
           std::none_of(std::begin(texts), std::end(texts),
                        [](const std::string* text) { return text->empty(); });
}

std::string StoredText(std::string_view text) {
    const bool edgeBlanks = TrimIniBlanks(text).size() != text.size();
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    if (edgeBlanks || quoted) {
        return "\"" + std::string(text) + "\"";
    }
    return std::string(text);
}

Result SaveOptionValues(const std::string& appPath, const OptionValues& values) {
    LauncherSettings record;
    record.CurrentGameDir = StoredText(values.games);
    record.WinUAEName = StoredText(values.exe);
    record.WinUAECommandLinePass = StoredText(values.commandLine);
    record.FloppyCountName = StoredText(values.floppyCount);
    for (std::size_t d = 0; d < values.floppy.size(); ++d) {
        record.FloppyName[d] = StoredText(values.floppy[d]);
    }
    if (values.floppyTypes) {
        record.FloppyTypeName = *values.floppyTypes;
    }
    PutSlots(record, WorkbenchList(), values.workbenches);
    PutSlots(record, ConfigList(), values.configs);
    return WriteSettingsEntries(SettingsFilePath(appPath),
                                SettingsEntriesOf(record, values.floppyTypes.has_value()));
}

Message FieldsMissingMessage() {
    return {
        "There are fields missing in the options. Please fill them in. You need at least one "
        "Config file! If you have altered the commandline or floppy fields and you cant "
        "remember what they where, just delete the 'Brackmoor.INI' file and start over...",
        "Brackmoor", MessageIcon::Critical};
}

Message ConfigLimitMessage() {
    return {"50 Configs only, sorry!", "Brackmoor", MessageIcon::Information};
}

Message WorkbenchLimitMessage() {
    return {"10 WorkBench floppys only, sorry!", "Brackmoor", MessageIcon::Information};
}

Message DeleteEntryQuestion() {
    return {"This will alter the game's seperate configs. Delete all games configs?", "WARNING",
            MessageIcon::Critical, MessageButtons::OkCancel};
}

Message StarterOfferQuestion(const std::string& emulator, const std::string& folder) {
    return {"None of the configurations in the list exists. Make starter configurations for " +
                emulator + " (an A500 and an A1200) in '" + folder + "'?",
            "Brackmoor", MessageIcon::Question, MessageButtons::YesNo};
}

}  // namespace brackmoor
