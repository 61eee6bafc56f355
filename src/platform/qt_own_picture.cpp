#include "platform/qt_own_picture.h"

#include <QImageReader>

namespace brackmoor {

QImage ReadOwnPicture(const QString& resource, const char* format, QImage (*draw)()) {
    QImageReader reader(resource, format);
    reader.setAutoDetectImageFormat(false);
    QImage picture = reader.read();
    if (picture.isNull() && draw != nullptr) {
        picture = draw();
    }
    return picture;
}

}  // namespace brackmoor
