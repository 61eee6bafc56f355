#include "imaging/picture_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

namespace brackmoor {

namespace {

// The first picture format among the offers that Qt can decode, as "image/png".
QString EncodedPictureFormat(const QMimeData& data) {
    const QList<QByteArray> known = QImageReader::supportedMimeTypes();
    for (const QString& format : data.formats()) {
        if (known.contains(format.toLatin1())) {
            return format;
        }
    }
    return {};
}

std::string Describe(const QString& format, const QString& problem) {
    return "The picture (" + format.toStdString() + ") " + problem.toStdString();
}

}  // namespace

std::string TooLargeForAScreenshot(int width, int height) {
    if (static_cast<std::int64_t>(width) * height <= kLargestPicturePixels) {
        return {};
    }
    return "is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, more than the " + std::to_string(kLargestPicturePixels) +
           " pixels a screenshot can have.";
}

bool OffersPicture(const QMimeData& data) {
    return data.hasImage() || !EncodedPictureFormat(data).isEmpty();
}

std::optional<QImage> PictureOfMimeData(const QMimeData& data, std::string* why) {
    if (data.hasImage()) {
        QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull()) {
            return image;
        }
    }
    const QString format = EncodedPictureFormat(data);
    if (format.isEmpty()) {
        return std::nullopt;
    }
    // Decoded here, so that a picture too large or damaged says so.
    QByteArray bytes = data.data(format);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    std::string problem = size.isValid() ? TooLargeForAScreenshot(size.width(), size.height()) : "";
    if (!problem.empty()) {
        problem = Describe(format, QString::fromStdString(problem));
    } else if (QImage image; reader.read(&image) && !image.isNull()) {
        return image;
    } else {
        problem = Describe(
            format, "cannot be read (is it cut short or damaged?): " + reader.errorString() + ".");
    }
    if (why != nullptr) {
        *why = problem;
    }
    return std::nullopt;
}

std::optional<QImage> QtPictureClipboard::picture(std::string* why) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    return data != nullptr ? PictureOfMimeData(*data, why) : std::nullopt;
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
