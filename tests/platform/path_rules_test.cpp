#include <gtest/gtest.h>

#include "platform/path_rules.h"

namespace brackmoor {
namespace {

constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;

TEST(PathRules, LastComponentInBothStyles) {
    EXPECT_EQ(LastComponent("C:\\Games\\WinUAE\\Configurations\\1200.uae", W), "1200.uae");
    EXPECT_EQ(LastComponent("C:\\Games\\", W), "");
    EXPECT_FALSE(LastComponent("1200.uae", W).has_value());
    EXPECT_FALSE(LastComponent("", W).has_value());
    EXPECT_FALSE(LastComponent("/games/a.uae", W).has_value());  // "/" is no separator there

    EXPECT_EQ(LastComponent("/games/configs/a500.uae", P), "a500.uae");
    EXPECT_EQ(LastComponent("/games/", P), "");
    // A value stored on Windows still shows its file name on Linux.
    EXPECT_EQ(LastComponent("C:\\Games\\WinUAE\\Configurations\\1200.uae", P), "1200.uae");
    EXPECT_FALSE(LastComponent("None", P).has_value());
}

TEST(PathRules, StripTrailingSeparatorRemovesOneOnly) {
    EXPECT_EQ(StripTrailingSeparator("C:\\", W), "C:");
    EXPECT_EQ(StripTrailingSeparator("C:\\Games\\\\", W), "C:\\Games\\");
    EXPECT_EQ(StripTrailingSeparator("C:\\Games", W), "C:\\Games");
    EXPECT_EQ(StripTrailingSeparator("/games/", P), "/games");
    EXPECT_EQ(StripTrailingSeparator("/", P), "");
    EXPECT_EQ(StripTrailingSeparator("", P), "");
}

TEST(PathRules, Roots) {
    EXPECT_TRUE(IsRootPath("C:\\", W));
    EXPECT_TRUE(IsRootPath("d:\\", W));
    EXPECT_FALSE(IsRootPath("C:", W));
    EXPECT_FALSE(IsRootPath("C:\\Games", W));
    EXPECT_FALSE(IsRootPath("1:\\", W));
    EXPECT_TRUE(IsRootPath("/", P));
    EXPECT_FALSE(IsRootPath("/media", P));
    EXPECT_FALSE(IsRootPath("", P));
}

TEST(PathRules, ParentStopsAtTheRoot) {
    EXPECT_EQ(ParentPath("C:\\Games\\Amiga", W), "C:\\Games");
    EXPECT_EQ(ParentPath("C:\\Games\\Amiga\\", W), "C:\\Games");
    EXPECT_EQ(ParentPath("C:\\Games", W), "C:\\");
    EXPECT_EQ(ParentPath("C:\\", W), "C:\\");
    EXPECT_EQ(ParentPath("/games/amiga", P), "/games");
    EXPECT_EQ(ParentPath("/games", P), "/");
    EXPECT_EQ(ParentPath("/", P), "/");
    EXPECT_EQ(ParentPath("name", P), "");
}

TEST(PathRules, JoinAndSystemRoot) {
    EXPECT_EQ(JoinPath("C:\\", "Games", W), "C:\\Games");
    EXPECT_EQ(JoinPath("C:\\Games", "A.adf", W), "C:\\Games\\A.adf");
    EXPECT_EQ(JoinPath("/", "games", P), "/games");
    EXPECT_EQ(JoinPath("/games/", "a.adf", P), "/games/a.adf");
    EXPECT_EQ(SystemRoot(W), "C:\\");
    EXPECT_EQ(SystemRoot(P), "/");
}

}  // namespace
}  // namespace brackmoor
