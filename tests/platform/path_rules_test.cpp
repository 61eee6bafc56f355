#include <gtest/gtest.h>

#include "platform/path_rules.h"
#include "platform/volumes.h"

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

TEST(Volumes, RootFirstThenMediaMountsInOrderLabelledByTheirFileSystem) {
    const auto volumes = MediaVolumes({{"/proc", ""},
                                       {"/", "system"},
                                       {"/media/ann/AMIGA CD", "AMIGA_CD"},
                                       {"/mnt/games", ""},
                                       {"/run/media/bob/DVD", ""},
                                       {"/mnt/games", ""},
                                       {"/mnt", ""},
                                       {"/home", ""}});
    ASSERT_EQ(volumes.size(), 4u);
    EXPECT_EQ(volumes[0].root, "/");
    EXPECT_EQ(volumes[1].root, "/media/ann/AMIGA CD");
    EXPECT_EQ(volumes[1].label, "AMIGA_CD");
    EXPECT_EQ(volumes[2].root, "/mnt/games");
    EXPECT_EQ(volumes[2].label, "games");
    EXPECT_EQ(volumes[3].root, "/run/media/bob/DVD");
}

}  // namespace
}  // namespace brackmoor
