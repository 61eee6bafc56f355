#pragma once

#include <QImage>

namespace brackmoor {

// The media window's own artwork, drawn in code. make_artwork writes these into
// resources/media (the placeholder as a JPEG, the marker as a PNG), and the window shows those
// files; the window falls back to drawing them if a file cannot be loaded.

inline constexpr int kPlaceholderWidth = 321;
inline constexpr int kPlaceholderHeight = 242;
inline constexpr int kMarkerSize = 14;

// The picture shown for a game without a screenshot.
QImage DrawPlaceholderPicture();
// The small floppy disk that says "this game has saved settings".
QImage DrawFloppyMarker();

}  // namespace brackmoor
