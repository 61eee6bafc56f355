#include "imaging/dib_image.h"

#include <QPainter>
#include <cmath>
#include <cstring>
#include <random>
#include <set>

#include "imaging_test_support.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::Bgr;
using test::PixelAt;
using test::SetPixel;

// A picture whose every row holds `row` (left to right); rows counted in memory order.
std::unique_ptr<cDibImage> Picture(int width, const std::vector<std::vector<Bgr>>& rows) {
    auto dib = std::make_unique<cDibImage>();
    EXPECT_TRUE(dib->Create(width, static_cast<int>(rows.size())));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < width; ++x) {
            SetPixel(*dib, x, static_cast<int>(y), rows[y][static_cast<std::size_t>(x)]);
        }
    }
    return dib;
}

// The resampling written plainly, one source read and one std::nearbyint at a time.
std::vector<std::uint8_t> PlainResample(const cDibImage& src, int newW, int newH) {
    const int s = src.BytesPerScanLine();
    const int ds = (3 * newW + 3) & ~3;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(ds) * newH);
    const float xScale = static_cast<float>(double(src.Width() - 1) / newW);
    const float yScale = static_cast<float>(double(src.Height() - 1) / newH);
    const std::uint8_t* in = src.DIBSectionBitsPtr();
    for (int y = 0; y < newH; ++y) {
        const float fy = static_cast<float>(double(yScale) * y);
        const int iy = static_cast<int>(std::floor(fy));
        const float dy = static_cast<float>(double(fy) - iy);
        for (int x = 0; x < newW; ++x) {
            const float fx = static_cast<float>(double(xScale) * x);
            const int ix = static_cast<int>(std::floor(fx));
            const float dx = static_cast<float>(double(fx) - ix);
            for (int c = 0; c < 3; ++c) {
                const auto v = [&](int px, int row) {
                    return std::nearbyint((1.0 - dy) * in[row * s + 3 * px + c] +
                                          double(dy) * in[(row + 1) * s + 3 * px + c]);
                };
                const double value =
                    std::nearbyint((1.0 - dx) * v(ix, iy) + double(dx) * v(ix + 1, iy));
                out[static_cast<std::size_t>(y * ds + 3 * x + c)] =
                    static_cast<std::uint8_t>(value);
            }
        }
    }
    return out;
}

TEST(DibImage, ScanLinesHeaderAndRelease) {
    cDibImage dib;
    EXPECT_EQ(dib.BytesPerScanLine(), 0);
    for (const auto& [width, stride] : {std::pair{1, 4}, {2, 8}, {3, 12}, {4, 12}, {640, 1920}}) {
        ASSERT_TRUE(dib.Create(width, 2));
        EXPECT_EQ(dib.BytesPerScanLine(), stride) << width;
    }
    const DibInfoHeader& h = dib.Header();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 640);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 3840u);
    EXPECT_EQ(h.biXPelsPerMeter + h.biYPelsPerMeter + h.biClrUsed + h.biClrImportant, 0u);
    EXPECT_NE(dib.hdc(), 0u);
    EXPECT_NE(dib.hDib(), 0u);
    ASSERT_NE(dib.DIBSectionBitsPtr(), nullptr);

    for (int twice = 0; twice < 2; ++twice) {
        dib.ClearUp();
        EXPECT_EQ(dib.hdc(), 0u);
        EXPECT_EQ(dib.hDib(), 0u);
        EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
        EXPECT_EQ(dib.Width(), 640);
        EXPECT_EQ(dib.Height(), 2);
    }

    // A size that cannot be had: no picture, the header keeps the size asked for.
    EXPECT_FALSE(dib.Create(0, 5));
    EXPECT_FALSE(dib.Create(-3, 5));
    EXPECT_FALSE(dib.Create(200000, 200000));
    EXPECT_EQ(dib.hdc(), 0u);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 200000);
}

TEST(DibImage, ResamplesBilinearlyWithRoundedVerticalPass) {
    const Bgr p0{0, 100, 10}, p1{10, 21, 100}, p2{11, 22, 200}, p3{50, 60, 70};
    // 4 x 2 to 2 x 2: pixel 1 samples 1.5, the average of pixels 1 and 2, halves to even.
    auto halved = Picture(4, {{p0, p1, p2, p3}, {p0, p1, p2, p3}})->Resample(2, 2);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(PixelAt(*halved, 0, y), p0);
        EXPECT_EQ(PixelAt(*halved, 1, y), (Bgr{10, 22, 150}));
    }

    // 2 x 2 to 4 x 2: positions 0, 0.25, 0.5 and 0.75; the last column is never pixel 1 alone.
    const Bgr q0{0, 100, 10}, q1{4, 200, 20};
    auto widened = Picture(2, {{q0, q1}, {q0, q1}})->Resample(2, 4);
    const Bgr expected[] = {q0, {1, 125, 12}, {2, 150, 15}, {3, 175, 18}};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(PixelAt(*widened, x, 0), expected[x]) << x;
        EXPECT_EQ(PixelAt(*widened, x, 1), expected[x]) << x;
    }

    // Only the width changes, yet row 1 samples 0.5 between the source rows.
    const Bgr a{10, 20, 30}, b{11, 23, 40};
    auto narrowed = Picture(4, {{a, a, a, a}, {b, b, b, b}})->Resample(2, 2);
    for (int x = 0; x < 2; ++x) {
        EXPECT_EQ(PixelAt(*narrowed, x, 0), a);
        EXPECT_EQ(PixelAt(*narrowed, x, 1), (Bgr{10, 22, 35}));
    }

    // 2 x 2 to 4 x 4: row 2 samples 0.5 vertically, columns 1 and 3 sample 0.25 and 0.75.
    // Blue: left column 12/13 gives 12.5 -> 12, right 13/14 gives 13.5 -> 14; rounding only
    // at the end would give 13 for both columns. Green: 13.5 -> 14 and 11.5 -> 12.
    auto grown =
        Picture(2, {{{12, 13, 0}, {13, 11, 0}}, {{13, 14, 0}, {14, 12, 0}}})->Resample(4, 4);
    EXPECT_EQ(PixelAt(*grown, 1, 2), (Bgr{12, 14, 0}));
    EXPECT_EQ(PixelAt(*grown, 3, 2), (Bgr{14, 12, 0}));
}

TEST(DibImage, ResampleMatchesThePlainAlgorithmAndKeepsSizes) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const int w = 2 + static_cast<int>(random() % 40), h = 2 + static_cast<int>(random() % 40);
        const int newW = 1 + static_cast<int>(random() % 60);
        const int newH = 1 + static_cast<int>(random() % 60);
        cDibImage src;
        ASSERT_TRUE(src.Create(w, h));
        src.RandomiseBits(round % 2 == 1);
        const auto out = src.Resample(newH, newW);
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(out->Width(), newW);
        ASSERT_EQ(out->Height(), newH);
        if (newW == w && newH == h) {
            continue;
        }
        const auto expected = PlainResample(src, newW, newH);
        ASSERT_EQ(0, std::memcmp(out->DIBSectionBitsPtr(), expected.data(), expected.size()))
            << w << "x" << h << " -> " << newW << "x" << newH;
    }

    cDibImage src;
    ASSERT_TRUE(src.Create(5, 3));
    src.RandomiseBits();
    const auto copy = src.Resample(3, 5);
    EXPECT_EQ(0, std::memcmp(copy->DIBSectionBitsPtr(), src.DIBSectionBitsPtr(), 3 * 12));
    const auto wide = src.Resample(100, 200);  // height first
    EXPECT_EQ(wide->Width(), 200);
    EXPECT_EQ(wide->Height(), 100);
    EXPECT_EQ(src.Resample(0, 5), nullptr);
}

TEST(DibImage, ResampleOfASinglePixelLineIsAnError) {
    for (const auto& [w, h] : {std::pair{1, 4}, {4, 1}, {1, 1}}) {
        cDibImage src;
        ASSERT_TRUE(src.Create(w, h));
        src.RandomiseBits(true);
        EXPECT_THROW((void)src.Resample(h + 1, w + 1), DibRangeError) << w << "x" << h;
        const auto same = src.Resample(h, w);
        ASSERT_NE(same, nullptr);
        EXPECT_EQ(0, std::memcmp(same->DIBSectionBitsPtr(), src.DIBSectionBitsPtr(),
                                 static_cast<std::size_t>(src.BytesPerScanLine() * h)));
    }
    // A released picture has no bytes to read at all.
    cDibImage released;
    ASSERT_TRUE(released.Create(4, 4));
    released.ClearUp();
    EXPECT_THROW((void)released.Resample(2, 2), DibRangeError);
}

TEST(DibImage, RandomiseBitsLeavesPaddingAndFollowsItsMode) {
    cDibImage dib;
    ASSERT_TRUE(dib.Create(33, 40));  // 99 bytes of pixels and 1 of padding per row
    const int s = dib.BytesPerScanLine();
    for (int y = 0; y < 40; ++y) {
        dib.DIBSectionBitsPtr()[y * s + 99] = 0x5A;
    }
    for (const bool gray : {false, true}) {
        dib.RandomiseBits(gray);
        std::set<int> values;
        for (int y = 0; y < 40; ++y) {
            EXPECT_EQ(dib.DIBSectionBitsPtr()[y * s + 99], 0x5A);
            for (int x = 0; x < 33; ++x) {
                const Bgr p = PixelAt(dib, x, y);
                values.insert(p.g);
                if (gray) {
                    EXPECT_TRUE(p.b == p.g && p.g == p.r) << x << "," << y;
                } else {
                    EXPECT_EQ(p.b, 0);
                }
            }
        }
        EXPECT_GT(values.size(), 100u) << "noise, not a constant";
    }
    cDibImage empty;
    empty.RandomiseBits();  // nothing to write, nothing raised
}

TEST(DibImage, TransfersPicturesTopDownAndLeavesPadding) {
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(1, 2, 3, 128));
    picture.setPixel(1, 0, qRgb(4, 5, 6));
    picture.setPixel(2, 0, qRgb(7, 8, 9));
    picture.setPixel(0, 1, qRgb(10, 11, 12));
    picture.setPixel(1, 1, qRgb(13, 14, 15));
    picture.setPixel(2, 1, qRgb(16, 17, 18));
    cDibImage dib;
    dib.CreateFromPicture(picture);
    ASSERT_EQ(dib.Width(), 3);
    EXPECT_EQ(PixelAt(dib, 0, 1), (Bgr{3, 2, 1}));  // the top line is the last row in memory
    EXPECT_EQ(PixelAt(dib, 2, 0), (Bgr{18, 17, 16}));
    EXPECT_EQ(dib.DIBSectionBitsPtr()[9], 0);  // padding as made

    QImage back(3, 2, QImage::Format_RGB32);
    back.fill(Qt::white);
    {
        QPainter painter(&back);
        dib.PaintPicture(painter, 0, 0, -5, -1);  // any negative width is the whole width
    }
    EXPECT_EQ(back.pixel(2, 1), qRgb(16, 17, 18));
    EXPECT_EQ(back.pixel(1, 0), qRgb(4, 5, 6));

    // A part: source (1, 1), one pixel, to (0, 0) of another picture.
    cDibImage other;
    ASSERT_TRUE(other.Create(2, 2));
    dib.PaintPicture(other, 0, 0, 1, 1, 1, 1);
    EXPECT_EQ(PixelAt(other, 0, 1), (Bgr{15, 14, 13}));
    EXPECT_EQ(PixelAt(other, 1, 1), (Bgr{0, 0, 0}));
    other.LoadPictureBlt(dib, 0, 0, -1, -1, RasterOp::SrcInvert);
    EXPECT_EQ(PixelAt(other, 0, 1), (Bgr{15 ^ 3, 14 ^ 2, 13 ^ 1}));
}

TEST(DibImage, CopiesToTheClipboardOnlyAsABitmap) {
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(20, 10));
    test::RecordingMessages messages;
    test::ScriptedClipboard clipboard;
    EXPECT_FALSE(dib.CopyToClipboard(messages, clipboard));
    ASSERT_EQ(messages.texts(),
              std::vector<std::string>{"I don't know how to put a DIB on the clipboard! Copy as "
                                       "bitmap instead!!!"});
    EXPECT_EQ(messages.shown[0].title, "Brackmoor");
    EXPECT_EQ(clipboard.puts, 0);

    EXPECT_TRUE(dib.CopyToClipboard(messages, clipboard, false));
    ASSERT_TRUE(clipboard.held);
    EXPECT_EQ(clipboard.held->convertToFormat(QImage::Format_RGB32), test::SmoothPicture(20, 10));

    // The system's clipboard (offscreen here) gives the same pixels back.
    QtPictureClipboard system;
    EXPECT_TRUE(dib.CopyToClipboard(messages, system, false));
    const std::optional<QImage> read = system.picture();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->convertToFormat(QImage::Format_RGB32), test::SmoothPicture(20, 10));
    dib.ClearUp();
    EXPECT_FALSE(dib.CopyToClipboard(messages, clipboard, false));
}

}  // namespace
}  // namespace brackmoor
