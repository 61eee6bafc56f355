#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

namespace brackmoor {

// The media window's own artwork, drawn in code. make_artwork writes these into
// resources/media (the placeholder as a JPEG, the marker as a PNG), and the window shows those
// files; the window falls back to drawing them if a file cannot be loaded.

inline constexpr int kPlaceholderWidth = 321;
inline constexpr int kPlaceholderHeight = 242;
inline constexpr int kMarkerSize = 14;

// The square a floppy disk is drawn in, measured in hundredths of its side.
struct FloppyFrame {
    QRectF square;
    qreal unit = 1;  // a hundredth of the side
    // The part of the square at x, y (from its top left) of w x h, all in hundredths.
    QRectF at(qreal x, qreal y, qreal w, qreal h) const;
};

// What makes one drawn disk differ from another: its shell's colours and what its label
// carries (drawn inside f.at(12, 46, 76, 50)).
struct FloppyLook {
    QColor shellLight;
    QColor shellDark;
    void (*label)(QPainter& p, const FloppyFrame& f) = nullptr;
};

// A 3.5" floppy disk seen from the front, filling the square `r`.
void DrawFloppy(QPainter& p, const QRectF& r, const FloppyLook& look);

// The picture shown for a game without a screenshot.
QImage DrawPlaceholderPicture();
// The small floppy disk that says "this game has saved settings".
QImage DrawFloppyMarker();

}  // namespace brackmoor
