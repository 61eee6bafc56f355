#pragma once

#include <QImage>

namespace brackmoor {

// The about window's own artwork, drawn in code. make_artwork writes these into
// resources/about as PNG files, and the window shows those files; it falls back to drawing
// them if a file cannot be loaded.

inline constexpr int kAboutPictureWidth = 486;
inline constexpr int kAboutPictureHeight = 343;
inline constexpr int kAboutBannerWidth = 375;
inline constexpr int kAboutBannerHeight = 40;

// The about picture: the program's name over a starry sky, copper bars, a floor grid with a
// bouncing checkered ball and a floppy disk. The name sits where the about window draws its
// blinking frame; the bands where the banner and the author line appear are left calm.
QImage DrawAboutPicture();
// The banner shown a few seconds after the about window opens.
QImage DrawAboutBanner();

}  // namespace brackmoor
