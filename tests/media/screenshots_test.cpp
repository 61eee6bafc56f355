// The screenshot lookup in "Snaps".

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "media/screenshots.h"
#include "test_support.h"

namespace brackmoor {
namespace {

TEST(FindScreenshot, BitmapWinsAndLetterCaseDoesNotMatter) {
    TempDir dir;
    const std::string app = dir.withSeparator();
    EXPECT_EQ(FindScreenshot(app, "LEMMINGS"), std::nullopt);  // no Snaps folder
    std::filesystem::create_directory(dir.path() / "snaps");
    EXPECT_EQ(FindScreenshot(app, "LEMMINGS"), std::nullopt);
    WriteFile(dir.path() / "snaps" / "LEMMINGS.jpg", "");
    EXPECT_EQ(FindScreenshot(app, "LEMMINGS"), dir.path() / "snaps" / "LEMMINGS.jpg");
    WriteFile(dir.path() / "snaps" / "Lemmings.BMP", "");
    EXPECT_EQ(FindScreenshot(app, "LEMMINGS"), dir.path() / "snaps" / "Lemmings.BMP");
    std::filesystem::remove(dir.path() / "snaps" / "Lemmings.BMP");
    EXPECT_EQ(FindScreenshot(app, "LEMMINGS"), dir.path() / "snaps" / "LEMMINGS.jpg");
    EXPECT_EQ(FindScreenshot(app, "LEMMING"), std::nullopt);
}

// File systems keep a folder's time only so finely (FAT to two seconds, most others to the
// kernel's clock tick): a screenshot saved in the same tick as the previous change of "Snaps"
// leaves the folder's time as it was, and must still be found.
TEST(FindScreenshot, ASavedScreenshotIsFoundWhenTheFolderTimeStaysTheSame) {
    TempDir dir;
    const std::string app = dir.withSeparator();
    const auto snaps = dir.path() / "Snaps";
    std::filesystem::create_directory(snaps);
    WriteFile(snaps / "ZOOL.jpg", "");
    EXPECT_EQ(FindScreenshot(app, "ZOOL"), snaps / "ZOOL.jpg");
    struct stat before {};
    ASSERT_EQ(::stat(snaps.c_str(), &before), 0);
    WriteFile(snaps / "LEMMINGS.jpg", "");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, snaps.c_str(), times, 0), 0);
    EXPECT_EQ(FindScreenshot(app, "LEMMINGS"), snaps / "LEMMINGS.jpg");
}

TEST(ScreenshotSavePath, WritesWhereTheLookupReads) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "snaps");
    EXPECT_EQ(ScreenshotSavePath(dir.withSeparator(), "LEMMINGS"),
              dir.path() / "snaps" / "LEMMINGS.jpg");
    EXPECT_EQ(CaptureImageName("LEMMINGS"), "LEMMINGS.JPG");
}

}  // namespace
}  // namespace brackmoor
