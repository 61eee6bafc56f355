#include "imaging/dib_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <climits>
#include <cstring>
#include <set>

namespace brackmoor {
namespace {

// Blue, green, red of pixel x of memory row y (row 0 is the bottom line).
using Bgr = std::array<int, 3>;
Bgr PixelAt(const cDibImage& dib, int x, int y) {
    const std::uint8_t* p = dib.DIBSectionBitsPtr() + y * dib.BytesPerScanLine() + 3 * x;
    return {p[0], p[1], p[2]};
}

// A picture of `rows` (memory order, bottom row first), each a list of pixels.
std::unique_ptr<cDibImage> Picture(const std::vector<std::vector<Bgr>>& rows) {
    auto dib = std::make_unique<cDibImage>();
    EXPECT_TRUE(dib->Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size())));
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < 3 * rows[y].size(); ++x)
            dib->DIBSectionBitsPtr()[y * dib->BytesPerScanLine() + x] =
                static_cast<std::uint8_t>(rows[y][x / 3][x % 3]);
    return dib;
}

TEST(DibImage, ScanLinesHeaderAndRelease) {
    cDibImage dib;
    for (const auto& [width, stride] : {std::pair{1, 4}, {2, 8}, {3, 12}, {4, 12}, {640, 1920}}) {
        ASSERT_TRUE(dib.Create(width, 2));
        EXPECT_EQ(dib.BytesPerScanLine(), stride) << width;
    }
    EXPECT_EQ(dib.Header().biSizeImage, 3840u);
    for (int twice = 0; twice < 2; ++twice) {
        dib.ClearUp();
        EXPECT_TRUE(dib.hdc() == 0 && dib.hDib() == 0 && dib.DIBSectionBitsPtr() == nullptr);
    }
    // A size that cannot be had: no picture (the extremes are measured without overflowing).
    for (const auto& [w, h] :
         {std::pair{0, 5}, {-3, 5}, {200000, 200000}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}}) {
        EXPECT_FALSE(dib.Create(w, h));
        EXPECT_TRUE(dib.hdc() == 0 && dib.DIBSectionBitsPtr() == nullptr);
    }
}

TEST(DibImage, ResamplesBilinearlyWithRoundedVerticalPass) {
    // 4 x 2 to 2 x 2 (height first): pixel 1 samples 1.5, the average of pixels 1 and 2, halves
    // to even.
    const Bgr p0{0, 100, 10}, p1{10, 21, 100}, p2{11, 22, 200}, p3{50, 60, 70};
    const auto halved = Picture({{p0, p1, p2, p3}, {p0, p1, p2, p3}})->Resample(2, 2);
    EXPECT_EQ(PixelAt(*halved, 0, 1), p0);
    EXPECT_EQ(PixelAt(*halved, 1, 1), (Bgr{10, 22, 150}));
    // 2 x 2 to 4 x 2: positions 0, 0.25, 0.5, 0.75; the last column is never pixel 1 alone.
    const Bgr q0{0, 100, 10}, q1{4, 200, 20};
    const auto widened = Picture({{q0, q1}, {q0, q1}})->Resample(2, 4);
    ASSERT_TRUE(widened->Width() == 4 && widened->Height() == 2);
    const Bgr expected[] = {q0, {1, 125, 12}, {2, 150, 15}, {3, 175, 18}};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(PixelAt(*widened, x, 1), expected[x]) << x;
    // Only the width changes, yet row 1 samples 0.5 between the source rows.
    const Bgr a{10, 20, 30}, b{11, 23, 40};
    const auto narrowed = Picture({{a, a, a, a}, {b, b, b, b}})->Resample(2, 2);
    EXPECT_EQ(PixelAt(*narrowed, 1, 0), a);
    EXPECT_EQ(PixelAt(*narrowed, 1, 1), (Bgr{10, 22, 35}));
    // 2 x 2 to 4 x 4, row 2 (0.5 down), columns 1 and 3 (0.25, 0.75 across). Blue: 12.5 -> 12
    // on the left, 13.5 -> 14 on the right, so 12 and 14, where rounding only at the end would
    // give 13 twice. Green: 13.5 -> 14 and 11.5 -> 12.
    const auto grown =
        Picture({{{12, 13, 0}, {13, 11, 0}}, {{13, 14, 0}, {14, 12, 0}}})->Resample(4, 4);
    EXPECT_EQ(PixelAt(*grown, 1, 2), (Bgr{12, 14, 0}));
    EXPECT_EQ(PixelAt(*grown, 3, 2), (Bgr{14, 12, 0}));
    EXPECT_EQ(grown->Resample(0, 5), nullptr);
}

TEST(DibImage, ResampleOfASinglePixelLineIsAnErrorUnlessTheSizeStays) {
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
    cDibImage released;  // no bytes to read at all
    ASSERT_TRUE(released.Create(4, 4));
    released.ClearUp();
    EXPECT_THROW((void)released.Resample(2, 2), DibRangeError);
}

TEST(DibImage, RandomiseBitsLeavesPaddingAndFollowsItsMode) {
    cDibImage dib;
    ASSERT_TRUE(dib.Create(33, 40));  // 99 bytes of pixels and 1 of padding per row
    for (int y = 0; y < 40; ++y)
        dib.DIBSectionBitsPtr()[y * 100 + 99] = 0x5A;
    for (const bool gray : {false, true}) {
        dib.RandomiseBits(gray);
        std::set<int> greens;
        for (int y = 0; y < 40; ++y) {
            EXPECT_EQ(dib.DIBSectionBitsPtr()[y * 100 + 99], 0x5A);
            for (int x = 0; x < 33; ++x) {
                const Bgr p = PixelAt(dib, x, y);
                greens.insert(p[1]);
                EXPECT_TRUE(gray ? p[0] == p[1] && p[1] == p[2] : p[0] == 0) << x << "," << y;
            }
        }
        EXPECT_GT(greens.size(), 100u) << "noise, not a constant";
    }
}

// The block transfers to and from other pictures and the copy to the clipboard are not used by
// the program: only the picture it saves is read in, top line last in memory.
TEST(DibImage, ReadsPicturesTopDown) {
    QImage picture(2, 2, QImage::Format_ARGB32);  // colours are taken as they are, alpha or not
    const QRgb pixels[] = {qRgba(1, 2, 3, 128), qRgb(4, 5, 6), qRgb(7, 8, 9), qRgb(10, 11, 12)};
    for (int i = 0; i < 4; ++i)
        picture.setPixel(i % 2, i / 2, pixels[i]);
    cDibImage dib;
    dib.CreateFromPicture(picture);
    EXPECT_EQ(PixelAt(dib, 0, 1), (Bgr{3, 2, 1}));
    EXPECT_EQ(PixelAt(dib, 1, 0), (Bgr{12, 11, 10}));
}

}  // namespace
}  // namespace brackmoor
