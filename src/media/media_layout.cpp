#include "media/media_layout.h"

#include <algorithm>

#include "settings/profile_values.h"

namespace brackmoor {

MediaLayout LayoutMediaWindow(Size2 window) {
    MediaLayout layout;
    layout.window = {std::max(window.width, kMediaMinimumWindow.width),
                     std::max(window.height, kMediaMinimumWindow.height)};
    layout.tab = {layout.window.width - 150, layout.window.height - 450};
    layout.image = {layout.tab.width - 150, layout.tab.height - 450};
    layout.notes = {layout.tab.width - 150, layout.tab.height - 850};
    return layout;
}

std::optional<std::string> ClampCompressionText(std::string_view text) {
    if (ProfileNumber(text) > 100.0) {
        return std::string("100");
    }
    if (ProfileNumber(text) < 0.0) {
        return std::string("0");
    }
    return std::nullopt;
}

bool IsCompressionKey(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '\b';
}

}  // namespace brackmoor
