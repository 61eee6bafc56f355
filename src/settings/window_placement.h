#pragma once

#include <array>
#include <string>

#include "platform/result.h"
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

// A window value as "Save Window Positions" writes it: the first character holds the sign, a
// blank for zero and positive values (" 4600", "-120"); a fraction follows a point.
std::string WindowValueText(double value);

// Writes the three windows' placements (folder bar, file list, media window, in that order)
// into the settings file as one atomic replacement.
Result SaveWindowPlacements(const std::string& appPath,
                            const std::array<WindowPlacement, 3>& placements);

}  // namespace brackmoor
