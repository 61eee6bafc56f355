#include "settings/window_placement.h"

#include <charconv>

#include "settings/profile_values.h"
#include "settings/settings_schema.h"

namespace brackmoor {

WindowPlacement ReadWindowPlacement(const std::string& appPath, const char* section) {
    auto number = [&](const char* key) {
        return ProfileNumber(ReadProfileValue(appPath, section, key));
    };
    return {section, number(kWindowKeys[0]), number(kWindowKeys[1]), number(kWindowKeys[2]),
            number(kWindowKeys[3])};
}

std::string WindowValueText(double value) {
    // Fixed notation, never an exponent, and a point whatever the user's locale.
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    const std::string out(text, end);
    return value < 0 ? out : " " + out;
}

Result SaveWindowPlacements(const std::string& appPath,
                            const std::array<WindowPlacement, 3>& placements) {
    std::vector<SettingsEntry> entries;
    for (const WindowPlacement& window : placements) {
        const double values[] = {window.width, window.height, window.left, window.top};
        for (std::size_t i = 0; i < kWindowKeys.size(); ++i) {
            entries.push_back({window.section, kWindowKeys[i], WindowValueText(values[i])});
        }
    }
    return WriteSettingsEntries(SettingsFilePath(appPath), entries);
}

}  // namespace brackmoor
