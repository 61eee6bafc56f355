#pragma once

#include <QImage>
#include <QString>

namespace brackmoor {

// A picture of the program's own resources, read in the format it is known to have ("png",
// "jpeg"). Naming the format spares the reader asking every picture plugin of the system
// whether it knows the file, which costs more at start-up than the reading itself. When the
// resource cannot be read, `draw` (where given) makes the picture instead.
QImage ReadOwnPicture(const QString& resource, const char* format, QImage (*draw)() = nullptr);

}  // namespace brackmoor
