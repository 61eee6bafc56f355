#include "imaging_test_support.h"

#include <turbojpeg.h>

#include <cmath>

#include "test_support.h"

namespace brackmoor::test {

namespace {
const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);
}

void GuiEnvironment::SetUp() {
    app_ = new QGuiApplication(argc_, argv_);
}

void GuiEnvironment::TearDown() {
    delete app_;
    app_ = nullptr;
}

std::optional<DecodedJpeg> DecodeJpegFile(const std::filesystem::path& file) {
    const std::string bytes = ReadFile(file);
    tjhandle decoder = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::optional<DecodedJpeg> out;
    if (tjDecompressHeader3(decoder, data, bytes.size(), &width, &height, &subsampling,
                            &colourspace) == 0) {
        DecodedJpeg jpeg{width, height, std::vector<std::uint8_t>(3u * width * height)};
        if (tjDecompress2(decoder, data, bytes.size(), jpeg.rgb.data(), width, 0, height, TJPF_RGB,
                          0) == 0) {
            out = std::move(jpeg);
        }
    }
    tjDestroy(decoder);
    return out;
}

QImage SmoothPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(
                x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) * 255 / (width + height)));
        }
    }
    return picture;
}

double Psnr(const DecodedJpeg& jpeg, const QImage& picture) {
    double squares = 0;
    for (int y = 0; y < jpeg.height; ++y) {
        for (int x = 0; x < jpeg.width; ++x) {
            const std::uint8_t* p = &jpeg.rgb[3u * (y * jpeg.width + x)];
            const QRgb q = picture.pixel(x, y);
            for (const double d : {p[0] - qRed(q), p[1] - qGreen(q), p[2] - qBlue(q)}) {
                squares += d * d;
            }
        }
    }
    const double mse = squares / (3.0 * jpeg.width * jpeg.height);
    return 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace brackmoor::test
