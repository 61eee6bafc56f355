#include "platform/twips.h"

#include <algorithm>
#include <cmath>

namespace brackmoor {

namespace {

// A value edited by hand can be anything; keep it within what a window can be.
double ClampedPixels(double twips, double logicalDpi) {
    return std::clamp(twips * logicalDpi / kTwipsPerInch, -1.0e6, 1.0e6);
}

}  // namespace

int TwipsToPixels(double twips, double logicalDpi) {
    return static_cast<int>(std::lround(ClampedPixels(twips, logicalDpi)));
}

int TwipsToPixelsAtLeast(double twips, double logicalDpi) {
    return static_cast<int>(std::ceil(ClampedPixels(twips, logicalDpi)));
}

int PixelsToTwips(int pixels, double logicalDpi) {
    return logicalDpi > 0 ? static_cast<int>(std::lround(pixels * kTwipsPerInch / logicalDpi)) : 0;
}

}  // namespace brackmoor
