// The picture class and the JPEG writer on any size, stride, bit depth, block transfer and
// quality: a picture is made exactly when its size is positive and its pixels fit the header's
// 32-bit image size; a picture taken from any Qt picture keeps that picture's size; transfers
// and resamples stay inside the pictures; the writer gives a JPEG of the picture's size or
// raises its error, never anything else. Sizes are capped here, never in the program, so that
// no run makes more than a few MB (the refusals of absurd sizes are tried without a cap: they
// allocate nothing).

#include <fuzzer/FuzzedDataProvider.h>
#include <turbojpeg.h>

#include <QImage>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "imaging/dib_image.h"
#include "imaging/jpeg_writer.h"

using namespace brackmoor;

namespace {

constexpr std::int64_t kCapPixels = std::int64_t{1} << 17;  // 70000 x 1 still fits
constexpr std::int64_t kMaxPixelBytes = 0x7FFFFFFF;
constexpr int kJpegMaxSide = 65500;

std::int64_t ScanLine(std::int64_t width) {
    return (3 * width + 3) & ~std::int64_t{3};
}

bool Refused(std::int32_t w, std::int32_t h) {
    return w <= 0 || h <= 0 || ScanLine(w) > kMaxPixelBytes / h;
}

// A size the harness can afford: refused sizes stay as they are, others are brought under the
// cap keeping a width of up to 70000 (beyond the JPEG's limit).
void Afford(std::int32_t& w, std::int32_t& h) {
    if (!Refused(w, h) && std::int64_t{w} * h > kCapPixels) {
        w = 1 + (w - 1) % 70000;
        h = 1 + (h - 1) % static_cast<std::int32_t>(std::max<std::int64_t>(1, kCapPixels / w));
    }
}

// Mostly a small size, so that most runs encode quickly; now and then any 32-bit value.
std::int32_t AnySize(FuzzedDataProvider& input) {
    return input.ConsumeIntegralInRange(0, 3) == 0 ? input.ConsumeIntegral<std::int32_t>()
                                                   : input.ConsumeIntegralInRange(-2, 100);
}

const QImage::Format kFormats[] = {
    QImage::Format_Mono,
    QImage::Format_MonoLSB,
    QImage::Format_Indexed8,
    QImage::Format_RGB32,
    QImage::Format_ARGB32,
    QImage::Format_ARGB32_Premultiplied,
    QImage::Format_RGB16,
    QImage::Format_RGB666,
    QImage::Format_RGB888,
    QImage::Format_BGR888,
    QImage::Format_RGBX8888,
    QImage::Format_RGBA8888,
    QImage::Format_A2RGB30_Premultiplied,
    QImage::Format_Alpha8,
    QImage::Format_Grayscale8,
    QImage::Format_Grayscale16,
    QImage::Format_RGBA64,
    QImage::Format_RGBX16FPx4,
    QImage::Format_RGBA32FPx4,
};

// A picture of any bit depth and row stride over bytes the fuzzer chose; `store` keeps them.
QImage SourcePicture(FuzzedDataProvider& input, std::vector<uchar>& store) {
    const QImage::Format format =
        kFormats[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kFormats) - 1)];
    const int w = input.ConsumeIntegralInRange(1, 300);
    const int h = input.ConsumeIntegralInRange(1, 300);
    const int depth = QImage(1, 1, format).depth();
    const qsizetype minimal = (static_cast<qsizetype>(w) * depth + 7) / 8;
    // Qt asks a stride to be a multiple of 4 bytes for its 32-bit paths; any extra is padding.
    const qsizetype stride = (minimal + 3) / 4 * 4 + 4 * input.ConsumeIntegralInRange(0, 4);
    store = input.ConsumeBytes<uchar>(static_cast<std::size_t>(stride * h));
    store.resize(static_cast<std::size_t>(stride * h));
    QImage picture(store.data(), w, h, stride, format);
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
        format == QImage::Format_MonoLSB) {
        QList<QRgb> colours;
        for (int n = input.ConsumeIntegralInRange(0, 260); n > 0; --n)
            colours << input.ConsumeIntegral<QRgb>();
        picture.setColorTable(colours);
    }
    return picture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);

    // Made, or refused, as its size says; the header keeps the size asked for either way.
    std::int32_t w = AnySize(input);
    std::int32_t h = AnySize(input);
    Afford(w, h);
    cDibImage dib;
    const bool made = dib.Create(w, h);
    FUZZ_CHECK(made == !Refused(w, h));
    FUZZ_CHECK(dib.Width() == w && dib.Height() == h);
    FUZZ_CHECK((dib.DIBSectionBitsPtr() != nullptr) == made);
    if (made) {
        FUZZ_CHECK(dib.BytesPerScanLine() == ScanLine(w));
    }

    // Any Qt picture becomes a picture of its size.
    std::vector<uchar> store;
    const QImage source = SourcePicture(input, store);
    if (!source.isNull()) {
        cDibImage taken;
        taken.CreateFromPicture(source);
        FUZZ_CHECK(taken.Width() == source.width() && taken.Height() == source.height());
        FUZZ_CHECK(taken.DIBSectionBitsPtr() != nullptr);
    }

    // Block transfers with any rectangle and any raster code stay inside both pictures.
    const auto any = [&input] { return input.ConsumeIntegral<std::int32_t>(); };
    const auto op = [&input] {
        return input.ConsumeBool() ? RasterOp::SrcInvert
                                   : static_cast<RasterOp>(input.ConsumeIntegral<std::uint32_t>());
    };
    dib.LoadPictureBlt(source, any(), any(), any(), any(), op());
    cDibImage other;
    if (other.Create(input.ConsumeIntegralInRange(1, 64), input.ConsumeIntegralInRange(1, 64))) {
        dib.PaintPicture(other, any(), any(), any(), any(), any(), any(), op());
        other.PaintPicture(dib, any(), any(), any(), any(), any(), any(), op());
        dib.PaintPicture(dib, any(), any(), any(), any(), any(), any(), op());
    }

    // A resample is made at its size, or raises for a source too small to resample.
    std::int32_t newW = AnySize(input);
    std::int32_t newH = AnySize(input);
    Afford(newW, newH);
    if (made && std::int64_t{w} * h <= 4096) {  // the resampler walks every destination pixel
        const bool same = newW == w && newH == h;
        try {
            const auto resampled = dib.Resample(newH, newW);
            FUZZ_CHECK((resampled != nullptr) == !Refused(newW, newH));
            FUZZ_CHECK(resampled == nullptr || same || (w >= 2 && h >= 2));
        } catch (const DibRangeError&) {
            FUZZ_CHECK(!same && (w < 2 || h < 2));
        }
    }

    // The writer: a JPEG of the picture's size, or its error.
    const int quality =
        input.ConsumeBool() ? input.ConsumeIntegralInRange(-2, 102) : input.ConsumeIntegral<int>();
    const bool writable =
        made && w <= kJpegMaxSide && h <= kJpegMaxSide && quality >= 0 && quality <= 100;
    try {
        const std::string jpeg = EncodeDibToJpg(dib, quality);
        FUZZ_CHECK(writable);
        tjhandle decoder = tjInitDecompress();
        int jw = 0, jh = 0, sampling = 0, colours = 0;
        FUZZ_CHECK(tjDecompressHeader3(decoder, reinterpret_cast<const unsigned char*>(jpeg.data()),
                                       jpeg.size(), &jw, &jh, &sampling, &colours) == 0);
        FUZZ_CHECK(jw == w && jh == h);
        tjDestroy(decoder);
    } catch (const JpegWriterError& error) {
        FUZZ_CHECK(!writable);
        FUZZ_CHECK(error.number == kJpegWriterErrorNumber);
    }
    return 0;
}
