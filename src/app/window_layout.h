#pragma once

#include <QRect>
#include <array>

#include "settings/window_placement.h"

class QMdiSubWindow;

namespace brackmoor {

// The places of the three child windows (folder bar, file list, media window) in twips of
// their outer frames. Twips are finer than pixels, so what was placed is remembered: a value
// the user has not changed since reads back exactly as it was placed, and saving an unchanged
// arrangement writes the numbers it was made from.
class WindowLayout {
public:
    explicit WindowLayout(const std::array<QMdiSubWindow*, 3>& windows);

    // Puts each window at its placement; a size it cannot show is raised to its smallest.
    void place(const std::array<WindowPlacement, 3>& placements, double logicalDpi);
    // Shows the three windows in order, each brought forward.
    void show();
    // Where the windows are now.
    std::array<WindowPlacement, 3> current(double logicalDpi) const;

private:
    std::array<QMdiSubWindow*, 3> windows_;
    std::array<WindowPlacement, 3> placedTwips_{};
    std::array<QRect, 3> placedPixels_{};
};

}  // namespace brackmoor
