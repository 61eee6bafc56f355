#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/window_placement.h"

namespace brackmoor {

// The media window's resize rule, in twips of the window's outer frame. Only the tab control,
// the screenshot and the note follow the window; everything else keeps its design place.
struct Size2 {
    int width = 0;
    int height = 0;
    bool operator==(const Size2& o) const { return width == o.width && height == o.height; }
};

inline constexpr Size2 kMediaMinimumWindow{4600, 3950};

struct MediaLayout {
    Size2 window;  // the window size after the minimum is applied
    Size2 tab;     // tabMedia
    Size2 image;   // imgMedia
    Size2 notes;   // txtNotes
};

MediaLayout LayoutMediaWindow(Size2 window);

// The compression box of the capture tab keeps its number between 0 and 100: the text it
// should be changed to, or nothing when it may stay as typed (fractions and text that is not a
// number at all stay).
std::optional<std::string> ClampCompressionText(std::string_view text);

// The keys the compression box accepts: digits, "-", "." and Backspace.
bool IsCompressionKey(char c);

}  // namespace brackmoor
