// Path rules in both styles, and the volumes the folder bar offers.

#include <gtest/gtest.h>

#include <tuple>

#include "platform/path_rules.h"
#include "platform/volumes.h"

namespace brackmoor {
namespace {

constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;

// The last component and the trailing separator are tested with the naming rules built on them.

TEST(PathRules, RootsAndParentsThatStopAtTheRoot) {
    for (const char* root : {"C:\\", "d:\\"})
        EXPECT_TRUE(IsRootPath(root, W)) << root;
    for (const char* other : {"C:", "C:\\Games", "1:\\"})
        EXPECT_FALSE(IsRootPath(other, W)) << other;
    EXPECT_TRUE(IsRootPath("/", P));
    EXPECT_FALSE(IsRootPath("/media", P) || IsRootPath("", P));
    // clang-format off
    const std::tuple<const char*, PathStyle, const char*> parents[] = {
        {"C:\\Games\\Amiga", W, "C:\\Games"}, {"C:\\Games\\Amiga\\", W, "C:\\Games"},
        {"C:\\Games", W, "C:\\"}, {"C:\\", W, "C:\\"}, {"/games/amiga", P, "/games"},
        {"/games", P, "/"}, {"/", P, "/"}, {"name", P, ""}};
    // clang-format on
    for (const auto& [path, style, parent] : parents)
        EXPECT_EQ(ParentPath(path, style), parent) << path;
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
