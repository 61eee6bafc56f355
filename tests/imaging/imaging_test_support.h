#pragma once

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "imaging/dib_image.h"
#include "imaging/picture_clipboard.h"

namespace brackmoor::test {

// A clipboard the test fills and reads.
class ScriptedClipboard : public PictureClipboard {
public:
    std::optional<QImage> picture() override { return held; }
    bool setPicture(const QImage& picture) override {
        held = picture;
        ++puts;
        return true;
    }

    std::optional<QImage> held;
    int puts = 0;
};

// Blue, green, red of one pixel.
struct Bgr {
    int b, g, r;
    bool operator==(const Bgr& o) const { return b == o.b && g == o.g && r == o.r; }
};

inline void PrintTo(const Bgr& p, std::ostream* os) {
    *os << "(b " << p.b << ", g " << p.g << ", r " << p.r << ")";
}

// Pixel x of memory row y (row 0 is the bottom line).
inline Bgr PixelAt(const cDibImage& dib, int x, int y) {
    const std::uint8_t* p = dib.DIBSectionBitsPtr() + y * dib.BytesPerScanLine() + 3 * x;
    return {p[0], p[1], p[2]};
}

inline void SetPixel(cDibImage& dib, int x, int y, Bgr v) {
    std::uint8_t* p = dib.DIBSectionBitsPtr() + y * dib.BytesPerScanLine() + 3 * x;
    p[0] = static_cast<std::uint8_t>(v.b);
    p[1] = static_cast<std::uint8_t>(v.g);
    p[2] = static_cast<std::uint8_t>(v.r);
}

// A JPEG decoded top-down into red-green-blue bytes.
struct DecodedJpeg {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Nothing when the file is no JPEG.
std::optional<DecodedJpeg> DecodeJpegFile(const std::filesystem::path& file);

// A smooth picture: red across, green down, blue along the diagonal.
QImage SmoothPicture(int width, int height);

// Peak signal-to-noise ratio in dB of a decoded JPEG against a picture of the same size.
double Psnr(const DecodedJpeg& jpeg, const QImage& picture);

// The QGuiApplication for the tests that need one (clipboard, picture plug-ins), made once.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    int argc_ = 1;
    char name_[16] = "imaging_test";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};

}  // namespace brackmoor::test
