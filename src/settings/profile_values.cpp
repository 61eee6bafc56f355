#include "settings/profile_values.h"

#include <charconv>
#include <vector>

#include "platform/file_lookup.h"
#include "platform/profile_file.h"
#include "settings/window_placement.h"

namespace brackmoor {

namespace {

constexpr std::size_t kValueBuffer = 500;

std::string WholeNumber(double value) {
    return std::to_string(static_cast<long long>(value));
}

struct DefaultKey {
    std::string section;
    std::string key;
    std::string value;
};

std::vector<DefaultKey> DefaultSettings() {
    std::vector<DefaultKey> keys = {
        {"Brackmoor", "StartGameDir", "C:\\Games\\Amiga"},
        {"WinUAE Compatability", "WinUAEName", "C:\\Games\\WinUAE\\WinUAE.exe"},
        {"WinUAE Compatability", "WinUAECommandLinePass", "-config="},
        {"WinUAE Compatability", "FloppyCountName", "nr_floppies"},
        {"WinUAE Compatability", "Floppy0Name", "floppy0"},
        {"WinUAE Compatability", "Floppy1Name", "floppy1"},
        {"WinUAE Compatability", "Floppy2Name", "floppy2"},
        {"WinUAE Compatability", "Floppy3Name", "floppy3"},
    };
    for (int slot = 1; slot <= 10; ++slot) {
        keys.push_back({"WorkBench Locations", std::to_string(slot), ""});
    }
    keys.push_back({"Config Locations", "1", "C:\\Games\\WinUAE\\Configurations\\1200.uae"});
    for (int slot = 2; slot <= 50; ++slot) {
        keys.push_back({"Config Locations", std::to_string(slot), ""});
    }
    for (const WindowPlacement& window : kDefaultWindowPlacements) {
        keys.push_back({window.section, "Width", WholeNumber(window.width)});
        keys.push_back({window.section, "Height", WholeNumber(window.height)});
        keys.push_back({window.section, "Left", WholeNumber(window.left)});
        keys.push_back({window.section, "Top", WholeNumber(window.top)});
    }
    return keys;
}

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
    return UpdateProfile(SettingsFilePath(appPath), [](IniDocument& document) {
        for (const DefaultKey& entry : DefaultSettings()) {
            Result written = document.set(entry.section, entry.key, entry.value);
            if (!written) {
                return written;
            }
        }
        return Result::Ok();
    });
}

}  // namespace brackmoor
