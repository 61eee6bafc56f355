#pragma once

#include <QImage>
#include <optional>

namespace brackmoor {

// The clipboard as the screenshot capture and the picture class use it: one picture to read or
// to put there. The program uses the system's clipboard; tests script one.
class PictureClipboard {
public:
    virtual ~PictureClipboard() = default;
    // The picture the clipboard offers, in any picture format it holds; nothing when it holds
    // no picture.
    virtual std::optional<QImage> picture() = 0;
    // Replaces the clipboard's content with the picture; true when it is there.
    virtual bool setPicture(const QImage& picture) = 0;
};

// The system's clipboard through Qt (needs the QGuiApplication).
class QtPictureClipboard : public PictureClipboard {
public:
    std::optional<QImage> picture() override;
    bool setPicture(const QImage& picture) override;
};

}  // namespace brackmoor
