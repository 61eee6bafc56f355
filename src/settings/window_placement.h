#pragma once

#include <string>

#include "platform/twips.h"

namespace brackmoor {

// Size and position of a child window's outer frame, in twips (1/1440 inch).
struct WindowPlacement {
    const char* section;  // its section in the launcher settings file
    double width;
    double height;
    double left;
    double top;
};

// The default arrangement: the folder bar top left, the media window below it, the file list
// to the right of both.
inline constexpr WindowPlacement kDefaultWindowPlacements[] = {
    {"Folder", 4600, 4000, 0, 0},
    {"Files", 7320, 7950, 4600, 0},
    {"Media", 4600, 3950, 0, 4000},
};

// The saved placement of one window; a missing or non-numeric value gives 0.
WindowPlacement ReadWindowPlacement(const std::string& appPath, const char* section);

}  // namespace brackmoor
