#include "platform/qt_twips.h"

#include <QWidget>

#include "platform/twips.h"

namespace brackmoor {

void PlaceInTwips(QWidget* widget, const char* name, const QRect& twips, const QPoint& origin) {
    widget->setObjectName(name);
    const double dx = widget->logicalDpiX();
    const double dy = widget->logicalDpiY();
    widget->setGeometry(TwipsToPixels(twips.left() - origin.x(), dx),
                        TwipsToPixels(twips.top() - origin.y(), dy),
                        TwipsToPixels(twips.width(), dx), TwipsToPixels(twips.height(), dy));
}

}  // namespace brackmoor
