#include "imaging/picture_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace brackmoor {

std::optional<QImage> QtPictureClipboard::picture() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return std::nullopt;
    }
    QImage image = clipboard->image();
    if (image.isNull()) {
        return std::nullopt;
    }
    return image;
}

bool QtPictureClipboard::setPicture(const QImage& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || picture.isNull()) {
        return false;
    }
    clipboard->setImage(picture);
    return true;
}

}  // namespace brackmoor
