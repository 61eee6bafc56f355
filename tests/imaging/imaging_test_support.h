#pragma once

#include <QImage>
#include <filesystem>
#include <optional>

#include "imaging/picture_clipboard.h"

namespace brackmoor::test {

// A clipboard the test fills and reads.
struct ScriptedClipboard : PictureClipboard {
    std::optional<QImage> picture(std::string* /*why*/) override { return held; }
    bool setPicture(const QImage& picture) override { return bool(held = picture); }
    std::optional<QImage> held;
};

// A JPEG file read by Qt's own decoder; a null picture when it is no JPEG.
QImage LoadJpeg(const std::filesystem::path& file);

// A smooth picture: red across, green down, blue along the diagonal.
QImage SmoothPicture(int width, int height);

// Peak signal-to-noise ratio in dB of a picture against another of its size.
double Psnr(const QImage& picture, const QImage& original);

}  // namespace brackmoor::test
