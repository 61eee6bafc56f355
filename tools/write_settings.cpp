// Writes a launcher settings file for the demo and the end-to-end tests: the default file, with
// the given values in place of the defaults.
//
//   write_settings FILE [NAME=VALUE]...
//
// NAME is a setting's key (StartGameDir, WinUAEName, Floppy0TypeName ...), "Config N" or
// "Workbench N" for a slot of the two lists, or "SECTION/KEY" for any other key.

#include <cstdio>
#include <string>
#include <vector>

#include "settings/settings_schema.h"

using namespace brackmoor;

namespace {

bool Override(std::vector<SettingsEntry>& entries, const std::string& argument) {
    const std::size_t eq = argument.find('=');
    if (eq == std::string::npos) {
        return false;
    }
    const std::string name = argument.substr(0, eq);
    const std::string value = argument.substr(eq + 1);
    SettingsEntry entry{"", name, value};
    for (const TextSetting& setting : TextSettings()) {
        if (name == setting.key) {
            entry.section = setting.section;
        }
    }
    for (const auto& [prefix, list] :
         {std::pair{"Config ", &ConfigList()}, std::pair{"Workbench ", &WorkbenchList()}}) {
        if (name.rfind(prefix, 0) == 0) {
            entry = {list->section, name.substr(std::string(prefix).size()), value};
        }
    }
    if (const std::size_t slash = name.find('/'); entry.section.empty() && slash != name.npos) {
        entry = {name.substr(0, slash), name.substr(slash + 1), value};
    }
    if (entry.section.empty()) {
        return false;
    }
    entries.push_back(entry);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: write_settings FILE [NAME=VALUE]...\n");
        return 2;
    }
    std::vector<SettingsEntry> entries = DefaultSettingsEntries();
    for (int i = 2; i < argc; ++i) {
        if (!Override(entries, argv[i])) {
            std::fprintf(stderr, "write_settings: not a setting: %s\n", argv[i]);
            return 2;
        }
    }
    const Result written = WriteSettingsEntries(argv[1], entries);
    if (!written) {
        std::fprintf(stderr, "write_settings: %s: %s\n", argv[1], written.error().c_str());
        return 1;
    }
    return 0;
}
