// The folder bar's logic: volume roots, the folder an entry leads to, and the listing it shows
// (folders and files apart, in natural order).

#include <gtest/gtest.h>

#include <filesystem>

#include "browser/folder_bar_rules.h"
#include "browser/folder_listing.h"
#include "browser/natural_order.h"
#include "test_support.h"

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

// That natural order is a strict total order and that sorting a folder (a faster path than
// comparing pairs) agrees with it is checked by fuzz/natural_order_fuzz.cpp.
TEST(NaturalOrder, NumbersByValueLettersWithoutCase) {
    std::vector<std::string> names = {"Disk 10.adf",    "disk 9.adf",     "Disk 1.adf",
                                      "Lemmings B.adf", "lemmings A.adf", "Disk 010.adf",
                                      "Zool.adf",       "alien.adf",      "Disk 2.ADF"};
    SortNaturally(names);
    EXPECT_EQ(names, (std::vector<std::string>{"alien.adf", "Disk 1.adf", "Disk 2.ADF",
                                               "disk 9.adf", "Disk 010.adf", "Disk 10.adf",
                                               "lemmings A.adf", "Lemmings B.adf", "Zool.adf"}));
    EXPECT_TRUE(NaturalLess("a99999999999999999999999", "a100000000000000000000000"));
}

TEST(ListFolder, FoldersAndFilesApartInOrderWithoutHiddenOnes) {
    TempDir dir;
    // Names that are not UTF-8, or hold a line break, are listed as they are.
    for (const char* name : {"Xenon 2 B.adf", "Xenon 2 A.adf", ".hidden.adf", "notes.txt", "ab",
                             "caf\xE9.adf", "two\nlines.adf"})
        WriteFile(dir.path() / name, "");
    for (const char* name : {"Shoot em up", "arcade", ".cache"})
        std::filesystem::create_directory(dir.path() / name);
    std::filesystem::create_directory_symlink(dir.path() / "arcade", dir.path() / "linked");
    FolderContents contents;
    ASSERT_TRUE(ListFolder(dir.path(), &contents).ok());
    EXPECT_EQ(contents.folders, (std::vector<std::string>{"arcade", "linked", "Shoot em up"}));
    EXPECT_EQ(contents.files,
              (std::vector<std::string>{"ab", "caf\xE9.adf", "notes.txt", "two\nlines.adf",
                                        "Xenon 2 A.adf", "Xenon 2 B.adf"}));
    // A folder that is gone says why.
    const Result gone = ListFolder(dir.path() / "ejected CD", &contents);
    EXPECT_FALSE(gone.ok());
    EXPECT_NE(gone.error().find("ejected CD"), std::string::npos);
}

}  // namespace
}  // namespace brackmoor
