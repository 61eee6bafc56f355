#include "media/media_layout.h"

#include <gtest/gtest.h>

namespace brackmoor {
namespace {

TEST(MediaLayout, FollowsTheWindowAboveTheMinimum) {
    const MediaLayout small = LayoutMediaWindow({1000, 1000});
    EXPECT_EQ(small.window, (Size2{4600, 3950}));
    EXPECT_EQ(small.tab, (Size2{4450, 3500}));
    EXPECT_EQ(small.image, (Size2{4300, 3050}));
    EXPECT_EQ(small.notes, (Size2{4300, 2650}));

    const MediaLayout large = LayoutMediaWindow({9000, 7000});
    EXPECT_EQ(large.window, (Size2{9000, 7000}));
    EXPECT_EQ(large.tab, (Size2{8850, 6550}));
    EXPECT_EQ(large.image, (Size2{8700, 6100}));
    EXPECT_EQ(large.notes, (Size2{8700, 5700}));

    // Each side is held at its own minimum.
    EXPECT_EQ(LayoutMediaWindow({9000, 10}).window, (Size2{9000, 3950}));
}

TEST(Twips, ConvertWithTheLogicalDpi) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(4600, 96), 307);  // 306.67
    EXPECT_EQ(TwipsToPixels(3950, 96), 263);  // 263.33
    EXPECT_EQ(TwipsToPixelsAtLeast(3950, 96), 264);
    EXPECT_EQ(TwipsToPixelsAtLeast(4500, 96), 300);
    EXPECT_EQ(TwipsToPixels(210, 144), 21);
    EXPECT_EQ(PixelsToTwips(307, 96), 4605);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
}

TEST(CompressionText, IsHeldBetweenZeroAndHundred) {
    EXPECT_EQ(ClampCompressionText("150"), std::optional<std::string>("100"));
    EXPECT_EQ(ClampCompressionText("100.5"), std::optional<std::string>("100"));
    EXPECT_EQ(ClampCompressionText("-5"), std::optional<std::string>("0"));
    EXPECT_EQ(ClampCompressionText("-0.1"), std::optional<std::string>("0"));
    for (const char* stays : {"100", "0", "80", "80.5", "", "-", ".", "-.", "1-2"}) {
        EXPECT_FALSE(ClampCompressionText(stays)) << stays;
    }
    for (char c : std::string("0123456789-.\b")) {
        EXPECT_TRUE(IsCompressionKey(c)) << c;
    }
    for (char c : std::string("aZ +e\r\n,")) {
        EXPECT_FALSE(IsCompressionKey(c)) << c;
    }
}

}  // namespace
}  // namespace brackmoor
