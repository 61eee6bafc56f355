#pragma once

namespace brackmoor {

// Window sizes and positions are kept in twips, 1/1440 inch; the screen's logical DPI turns
// them into device-independent pixels.
inline constexpr int kTwipsPerInch = 1440;

// The nearest whole pixel.
int TwipsToPixels(double twips, double logicalDpi);
// The fewest whole pixels that cover `twips`, for lower limits that must not round below.
int TwipsToPixelsAtLeast(double twips, double logicalDpi);
int PixelsToTwips(int pixels, double logicalDpi);

}  // namespace brackmoor
