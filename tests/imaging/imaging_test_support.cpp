#include "imaging_test_support.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>
#include <memory>

#include "test_support.h"

namespace brackmoor::test {

namespace {

// The QGuiApplication (offscreen) that the clipboard and the picture plug-ins need.
struct GuiEnvironment : ::testing::Environment {
    void SetUp() override { app = std::make_unique<QGuiApplication>(argc, argv); }
    void TearDown() override { app.reset(); }
    int argc = 1;
    char name[16] = "imaging_test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
};
[[maybe_unused]] const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace

QImage LoadJpeg(const std::filesystem::path& file) {
    return QImage(QString::fromStdString(file.string()), "JPEG");
}

QImage SmoothPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(
                x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) * 255 / (width + height)));
    return picture;
}

double Psnr(const QImage& picture, const QImage& original) {
    double squares = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y), q = original.pixel(x, y);
            for (const double d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += d * d;
        }
    return 10 * std::log10(255.0 * 255.0 * 3.0 * picture.width() * picture.height() / squares);
}

}  // namespace brackmoor::test
