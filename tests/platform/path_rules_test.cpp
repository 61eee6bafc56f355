#include <gtest/gtest.h>

#include "platform/path_rules.h"

namespace brackmoor {
namespace {

constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;

// The last component and the trailing separator are tested with the naming rules built on them.

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

}  // namespace
}  // namespace brackmoor
