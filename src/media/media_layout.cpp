#include "media/media_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace brackmoor {

namespace {

// The leading decimal number of the compression text, as a real number; 0 when there is none.
double LeadingReal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    std::size_t end = i;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) {
        ++end;
    }
    bool digits = false;
    bool point = false;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return 0.0;
    }
    return std::strtod(std::string(text.substr(i, end - i)).c_str(), nullptr);
}

}  // namespace

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
    if (LeadingReal(text) > 100.0) {
        return std::string("100");
    }
    if (LeadingReal(text) < 0.0) {
        return std::string("0");
    }
    return std::nullopt;
}

bool IsCompressionKey(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '\b';
}

}  // namespace brackmoor
