#include <gtest/gtest.h>

#include "browser/folder_bar_rules.h"

namespace brackmoor {
namespace {

constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;

TEST(FolderBarRules, RootsOfDrivesAndVolumes) {
    const std::vector<Volume> volumes = {{"/", "/"}, {"/media/ann/AMIGA CD", "AMIGA CD"}};
    EXPECT_TRUE(IsVolumeRoot("C:\\", {}, W));
    EXPECT_FALSE(IsVolumeRoot("C:\\Games", {}, W));
    EXPECT_TRUE(IsVolumeRoot("/", volumes, P));
    EXPECT_TRUE(IsVolumeRoot("/media/ann/AMIGA CD", volumes, P));
    EXPECT_TRUE(IsVolumeRoot("/media/ann/AMIGA CD/", volumes, P));
    EXPECT_FALSE(IsVolumeRoot("/media/ann", volumes, P));
}

TEST(FolderBarRules, TheVolumeThatHoldsAFolder) {
    const std::vector<Volume> volumes = {{"/", "/"}, {"/media/cd", "cd"}, {"/media/cd2", "cd2"}};
    EXPECT_EQ(VolumeOf("/media/cd/games", volumes), "/media/cd");
    EXPECT_EQ(VolumeOf("/media/cd", volumes), "/media/cd");
    EXPECT_EQ(VolumeOf("/media/cd2/x", volumes), "/media/cd2");
    EXPECT_EQ(VolumeOf("/media/cdrom", volumes), "/");
    EXPECT_EQ(VolumeOf("/home/games", volumes), "/");
}

TEST(FolderBarRules, TargetsInBothStyles) {
    EXPECT_EQ(FolderTarget("*Root*", "D:\\", "C:\\Games", W), "D:\\");
    EXPECT_EQ(FolderTarget("Amiga", "C:\\", "C:\\Games", W), "C:\\Games\\Amiga");
    EXPECT_EQ(FolderTarget("Games", "C:\\", "C:\\", W), "C:\\Games");
    EXPECT_EQ(FolderTarget("", "C:\\", "C:\\Games\\", W), "C:\\Games\\");
    EXPECT_EQ(FolderTarget("*Root*", "/media/cd", "/games", P), "/media/cd");
    EXPECT_EQ(FolderTarget("amiga", "/", "/", P), "/amiga");
    EXPECT_EQ(FolderTarget("Puzzle", "/", "/games/", P), "/games/Puzzle");
}

}  // namespace
}  // namespace brackmoor
