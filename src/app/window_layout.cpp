#include "app/window_layout.h"

#include <QMdiSubWindow>
#include <algorithm>

namespace brackmoor {

WindowLayout::WindowLayout(const std::array<QMdiSubWindow*, 3>& windows) : windows_(windows) {}

void WindowLayout::place(const std::array<WindowPlacement, 3>& placements, double dpi) {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const WindowPlacement& p = placements[i];
        QMdiSubWindow* window = windows_[i];
        // A size the window system cannot show (0, negative) becomes the smallest it can.
        const QSize smallest = window->minimumSizeHint().expandedTo(window->minimumSize());
        const int width = std::max(TwipsToPixels(p.width, dpi), smallest.width());
        const int height = std::max(TwipsToPixels(p.height, dpi), smallest.height());
        window->setGeometry(TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi), width, height);
        placedTwips_[i] = p;
        placedPixels_[i] = window->geometry();
    }
}

void WindowLayout::show() {
    for (QMdiSubWindow* window : windows_) {
        window->show();
        window->raise();
    }
}

std::array<WindowPlacement, 3> WindowLayout::current(double dpi) const {
    std::array<WindowPlacement, 3> now{};
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const QRect at = windows_[i]->geometry();
        const QRect& placed = placedPixels_[i];
        const WindowPlacement& was = placedTwips_[i];
        auto twips = [dpi](int pixels, int placedPixels, double placedTwips) {
            return pixels == placedPixels ? placedTwips : PixelsToTwips(pixels, dpi);
        };
        now[i] = {kDefaultWindowPlacements[i].section, twips(at.width(), placed.width(), was.width),
                  twips(at.height(), placed.height(), was.height),
                  twips(at.x(), placed.x(), was.left), twips(at.y(), placed.y(), was.top)};
    }
    return now;
}

}  // namespace brackmoor
