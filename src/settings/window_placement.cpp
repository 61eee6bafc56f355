#include "settings/window_placement.h"

#include <algorithm>
#include <cmath>

#include "settings/profile_values.h"

namespace brackmoor {

WindowPlacement ReadWindowPlacement(const std::string& appPath, const char* section) {
    auto number = [&](const char* key) {
        return ProfileNumber(ReadProfileValue(appPath, section, key));
    };
    return {section, number("Width"), number("Height"), number("Left"), number("Top")};
}

int TwipsToPixels(double twips, double logicalDpi) {
    // A value edited by hand can be anything; keep it within what a window can be.
    const double pixels = std::clamp(twips * logicalDpi / 1440.0, -1.0e6, 1.0e6);
    return static_cast<int>(std::lround(pixels));
}

}  // namespace brackmoor
