#include "media/screenshot_capture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "imaging/dib_image.h"
#include "imaging/jpeg_writer.h"
#include "imaging/picture_clipboard.h"
#include "media/game_settings.h"
#include "platform/atomic_file.h"
#include "settings/profile_values.h"

namespace brackmoor {

namespace {

// No screenshot is anywhere near this; a larger file is refused before it is read.
constexpr std::uintmax_t kLargestPictureFile = 256u * 1024 * 1024;

CaptureResult NotAPicture(const std::string& description) {
    CaptureResult result;
    result.outcome = CaptureOutcome::NotAPicture;
    result.description = description;
    return result;
}

CaptureResult NotAPicture(const std::filesystem::path& file, const std::string& why) {
    return NotAPicture("\"" + file.filename().string() + "\" " + why);
}

std::string SizeOf(const QImage& picture) {
    return std::to_string(picture.width()) + " x " + std::to_string(picture.height()) + " pixels";
}

}  // namespace

std::optional<int> SizeDivisor(std::string_view sizeText) {
    if (sizeText == kSizeFull) {
        return 1;
    }
    if (sizeText == kSizeHalf) {
        return 2;
    }
    if (sizeText == kSizeThird) {
        return 3;
    }
    return std::nullopt;
}

QImage ReducedPicture(const QImage& picture, int divisor) {
    if (divisor <= 1 || picture.isNull()) {
        return picture;
    }
    const auto reduced = [divisor](int size) {
        return std::max(1, static_cast<int>(std::lround(static_cast<double>(size) / divisor)));
    };
    QImage surface(reduced(picture.width()), reduced(picture.height()), QImage::Format_RGB32);
    if (surface.isNull()) {
        return surface;
    }
    surface.fill(Qt::black);
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(surface.rect(), picture);
    painter.end();
    return surface;
}

CaptureResult SaveScreenshot(const std::optional<QImage>& picture, std::string_view sizeText,
                             std::string_view compressionText,
                             const std::filesystem::path& target) {
    const int quality = ReadLeadingNumber(compressionText);
    CaptureResult result;
    const std::optional<int> divisor = SizeDivisor(sizeText);
    if (!divisor) {
        result.outcome = CaptureOutcome::UnknownSize;
        return result;
    }
    if (!picture || picture->isNull()) {
        result.outcome = CaptureOutcome::NoPicture;
        return result;
    }
    if (const std::string huge = TooLargeForAScreenshot(picture->width(), picture->height());
        !huge.empty()) {
        return NotAPicture("The picture " + huge);
    }
    cDibImage dib;
    dib.CreateFromPicture(ReducedPicture(*picture, *divisor));
    if (dib.DIBSectionBitsPtr() == nullptr) {
        return NotAPicture("There is not enough memory for a picture of " + SizeOf(*picture) + ".");
    }
    try {
        (void)SaveDibToJpg(dib, target.string(), quality);  // true, or it raises
    } catch (const JpegWriterError& error) {
        result.outcome = CaptureOutcome::WriteFailed;
        result.description = error.description;
        result.reason = error.reason;
        result.number = error.number;
        result.source = error.source;
    }
    return result;
}

CaptureResult SaveClipboardScreenshot(PictureClipboard& clipboard, std::string_view sizeText,
                                      std::string_view compressionText,
                                      const std::filesystem::path& target) {
    // Another size text saves nothing, silently: the clipboard is not even looked at.
    if (!SizeDivisor(sizeText)) {
        return SaveScreenshot(std::nullopt, sizeText, compressionText, target);
    }
    std::string why;
    const std::optional<QImage> picture = clipboard.picture(&why);
    if (!picture && !why.empty()) {
        return NotAPicture(why);
    }
    return SaveScreenshot(picture, sizeText, compressionText, target);
}

CaptureResult SavePictureFileAsScreenshot(const std::filesystem::path& pictureFile,
                                          std::string_view sizeText,
                                          std::string_view compressionText,
                                          const std::filesystem::path& target) {
    if (!SizeDivisor(sizeText)) {
        CaptureResult result;
        result.outcome = CaptureOutcome::UnknownSize;
        return result;
    }
    // Only a regular file is read: never a folder, a pipe or a device.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(pictureFile, ec)) {
        return NotAPicture(pictureFile, "is not a file.");
    }
    const std::uintmax_t size = std::filesystem::file_size(pictureFile, ec);
    if (ec || size > kLargestPictureFile) {
        return NotAPicture(pictureFile, "is too large to be a picture.");
    }
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(pictureFile, &error);
    if (!bytes) {
        return NotAPicture(pictureFile, "cannot be read: " + error);
    }
    QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // Known by its content, whatever its name ends in.
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg" && format != "bmp") {
        return NotAPicture(pictureFile, "is not a PNG, JPEG or BMP picture.");
    }
    if (const QSize size = reader.size(); size.isValid()) {
        if (const std::string huge = TooLargeForAScreenshot(size.width(), size.height());
            !huge.empty()) {
            return NotAPicture(pictureFile, huge);
        }
    }
    const QImage picture = reader.read();
    if (picture.isNull()) {
        return NotAPicture(pictureFile,
                           "cannot be read as a picture: " + reader.errorString().toStdString());
    }
    return SaveScreenshot(picture, sizeText, compressionText, target);
}

}  // namespace brackmoor
