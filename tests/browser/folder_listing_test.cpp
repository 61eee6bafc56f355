#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "browser/folder_listing.h"
#include "browser/natural_order.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(NaturalOrder, NumbersByValueLettersWithoutCase) {
    std::vector<std::string> names = {"Disk 10.adf",    "disk 9.adf",     "Disk 1.adf",
                                      "Lemmings B.adf", "lemmings A.adf", "Disk 010.adf",
                                      "Zool.adf",       "alien.adf",      "Disk 2.ADF"};
    SortNaturally(names);
    EXPECT_EQ(names, (std::vector<std::string>{"alien.adf", "Disk 1.adf", "Disk 2.ADF",
                                               "disk 9.adf", "Disk 010.adf", "Disk 10.adf",
                                               "lemmings A.adf", "Lemmings B.adf", "Zool.adf"}));
}

TEST(NaturalOrder, IsAStrictTotalOrder) {
    EXPECT_FALSE(NaturalLess("a", "a"));
    EXPECT_TRUE(NaturalLess("A", "a") != NaturalLess("a", "A"));  // ties broken by bytes
    EXPECT_TRUE(NaturalLess("x1", "x01") != NaturalLess("x01", "x1"));
    EXPECT_TRUE(NaturalLess("a99999999999999999999999", "a100000000000000000000000"));
}

TEST(ListFolder, FoldersAndFilesApartInOrderWithoutHiddenOnes) {
    TempDir dir;
    for (const char* name : {"Xenon 2 B.adf", "Xenon 2 A.adf", ".hidden.adf", "notes.txt", "ab"}) {
        WriteFile(dir.path() / name, "");
    }
    std::filesystem::create_directory(dir.path() / "Shoot em up");
    std::filesystem::create_directory(dir.path() / "arcade");
    std::filesystem::create_directory(dir.path() / ".cache");
    std::filesystem::create_directory_symlink(dir.path() / "arcade", dir.path() / "linked");
    // Names that are not UTF-8, or hold a line break, are listed as they are.
    WriteFile(dir.path() / "caf\xE9.adf", "");
    WriteFile(dir.path() / "two\nlines.adf", "");

    FolderContents contents;
    ASSERT_TRUE(ListFolder(dir.path(), &contents).ok());
    EXPECT_EQ(contents.folders, (std::vector<std::string>{"arcade", "linked", "Shoot em up"}));
    EXPECT_EQ(contents.files,
              (std::vector<std::string>{"ab", "caf\xE9.adf", "notes.txt", "two\nlines.adf",
                                        "Xenon 2 A.adf", "Xenon 2 B.adf"}));
}

TEST(ListFolder, AFolderThatIsGoneSaysWhy) {
    TempDir dir;
    FolderContents contents;
    const Result result = ListFolder(dir.path() / "ejected CD", &contents);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("ejected CD"), std::string::npos);
}

// Sorting a whole folder takes a faster path than comparing pairs; both must give one order.
TEST(NaturalOrder, SortingAFolderAgreesWithComparingPairs) {
    std::vector<std::string> parts = {"a",   "B", "0", "00", "7",     "10",
                                      "007", " ", "!", "~",  "Disk ", ".adf"};
    parts.insert(parts.end(), {"\xc3\xa9", std::string(20, '9'), "1" + std::string(20, '0')});
    std::vector<std::string> names;
    unsigned seed = 12345;
    for (int n = 0; n < 3000; ++n) {
        std::string name;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1103515245 + 12345;
            name += parts[(seed >> 16) % parts.size()];
        }
        names.push_back(name);
    }
    std::vector<std::string> byPairs = names;
    std::stable_sort(byPairs.begin(), byPairs.end(),
                     [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    SortNaturally(names);
    EXPECT_EQ(names, byPairs);
}

}  // namespace
}  // namespace brackmoor
