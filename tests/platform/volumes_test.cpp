#include <gtest/gtest.h>

#include "platform/volumes.h"

namespace brackmoor {
namespace {

TEST(Volumes, RootFirstThenMediaMountsInTableOrder) {
    const char* table =
        "proc /proc proc rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sr0 /media/ann/AMIGA\\040CD iso9660 ro 0 0\n"
        "/dev/sdb1 /mnt/games vfat rw 0 0\n"
        "/dev/sdc1 /run/media/bob/DVD udf ro 0 0\n"
        "/dev/sdb1 /mnt/games vfat rw 0 0\n"
        "tmpfs /mnt tmpfs rw 0 0\n"
        "/dev/sdd1 /home ext4 rw 0 0\n"
        "broken-line\n";
    const auto volumes = VolumesFromMountTable(table);
    ASSERT_EQ(volumes.size(), 4u);
    EXPECT_EQ(volumes[0].root, "/");
    EXPECT_EQ(volumes[1].root, "/media/ann/AMIGA CD");
    EXPECT_EQ(volumes[1].label, "AMIGA CD");
    EXPECT_EQ(volumes[2].root, "/mnt/games");
    EXPECT_EQ(volumes[3].root, "/run/media/bob/DVD");
}

}  // namespace
}  // namespace brackmoor
