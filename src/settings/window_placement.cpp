#include "settings/window_placement.h"

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

}  // namespace brackmoor
