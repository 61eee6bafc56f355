#include "media/media_layout.h"

#include <gtest/gtest.h>

namespace brackmoor {
namespace {

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
