#pragma once

#include <string>

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

// Window sizes and positions are kept in twips, 1/1440 inch; the screen's logical DPI turns
// them into device-independent pixels.
inline constexpr int kTwipsPerInch = 1440;

// The nearest whole pixel.
int TwipsToPixels(double twips, double logicalDpi);
// The fewest whole pixels that cover `twips`, for lower limits that must not round below.
int TwipsToPixelsAtLeast(double twips, double logicalDpi);
int PixelsToTwips(int pixels, double logicalDpi);

}  // namespace brackmoor
