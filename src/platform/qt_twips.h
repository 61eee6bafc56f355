#pragma once

#include <QRect>

class QWidget;

namespace brackmoor {

// Names `widget` and puts it at its design place, a rectangle in twips (left, top, width,
// height) measured from `origin` (also in twips), converted with the widget's logical DPI.
void PlaceInTwips(QWidget* widget, const char* name, const QRect& twips,
                  const QPoint& origin = QPoint());

}  // namespace brackmoor
