#include "settings/profile_values.h"

#include <charconv>

#include "platform/file_lookup.h"
#include "platform/profile_file.h"
#include "settings/settings_schema.h"

namespace brackmoor {

namespace {

constexpr std::size_t kValueBuffer = 500;

}  // namespace

std::filesystem::path SettingsFilePath(const std::string& appPath) {
    return std::filesystem::path(appPath) / "Brackmoor.ini";
}

bool SettingsFileExists(const std::string& appPath) {
    return FindInFolderIgnoringCase(appPath, "Brackmoor.INI").has_value();
}

std::string ReadProfileValue(const std::string& appPath, std::string_view section,
                             std::string_view key) {
    const auto document = LoadProfile(SettingsFilePath(appPath));
    return ProfileGetTrimmed(document.get(), section, key, "None", kValueBuffer);
}

double ProfileNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') {
            number += '-';  // from_chars takes no "+"
        }
        ++i;
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    double value = 0;
    // from_chars does not depend on the locale, which the toolkit sets from the environment.
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

Result WriteDefaultSettingsFile(const std::string& appPath) {
    return WriteSettingsEntries(SettingsFilePath(appPath), DefaultSettingsEntries());
}

}  // namespace brackmoor
