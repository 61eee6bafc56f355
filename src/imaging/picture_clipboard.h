#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>

class QMimeData;

namespace brackmoor {

// The largest picture taken from the clipboard or saved as a screenshot, in pixels: an 8K screen
// (7680 x 4320) and a little more, and what Qt's picture decoder makes by default (128 MB of
// 32-bit pixels). The save holds a picture several times over while it reduces and encodes it,
// so a picture beyond any screen (a damaged or hostile one that claims 20000 x 20000) is
// refused with a message instead of exhausting the memory.
inline constexpr std::int64_t kLargestPicturePixels = std::int64_t{32} << 20;

// Why a picture of this size is refused ("is 20000 x 20000 pixels, more than ..."); empty for
// one of at most kLargestPicturePixels.
std::string TooLargeForAScreenshot(int width, int height);

// The picture `data` carries: Qt's own picture, or the first picture format among its offers
// that Qt can decode (PNG, BMP, JPEG ... as another program offers it), decoded here with its
// size checked before any pixel memory is made. Nothing when it carries no picture, or one that
// cannot be taken: then `why` says what is wrong with it (damaged, cut short, too large); it
// stays empty when there is simply no picture.
std::optional<QImage> PictureOfMimeData(const QMimeData& data, std::string* why);

// Whether `data` offers a picture at all, good or not.
bool OffersPicture(const QMimeData& data);

// The clipboard as the screenshot capture and the picture class use it: one picture to read or
// to put there. The program uses the system's clipboard; tests script one.
class PictureClipboard {
public:
    virtual ~PictureClipboard() = default;
    // The picture the clipboard offers, in any picture format it holds. Nothing when it holds
    // no picture, or one that cannot be taken: then `why` says what is wrong with it (damaged,
    // cut short, too large); it stays empty when there is simply no picture.
    virtual std::optional<QImage> picture(std::string* why) = 0;
    // Replaces the clipboard's content with the picture; true when it is there.
    virtual bool setPicture(const QImage& picture) = 0;
};

// The system's clipboard through Qt (needs the QGuiApplication), read by PictureOfMimeData.
class QtPictureClipboard : public PictureClipboard {
public:
    std::optional<QImage> picture(std::string* why) override;
    bool setPicture(const QImage& picture) override;
};

}  // namespace brackmoor
