#include <gtest/gtest.h>

#include "platform/volumes.h"

namespace brackmoor {
namespace {

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
