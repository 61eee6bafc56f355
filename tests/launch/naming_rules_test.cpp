#include "launch/naming_rules.h"

#include <gtest/gtest.h>

#include "fake_file_list.h"

namespace brackmoor {
namespace {

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

TEST(LastPathComponent, TakesTheNameAfterTheLastSeparatorAndFailsWithoutOne) {
    EXPECT_EQ(LastPathComponent("C:\\Games\\WinUAE\\Configurations\\1200.uae", kWin), "1200.uae");
    EXPECT_EQ(LastPathComponent("C:\\Games\\", kWin), "");
    EXPECT_EQ(LastPathComponent("/home/amiga/configs/A500.fs-uae", kPosix), "A500.fs-uae");
    // A value stored on Windows still shows its file name on Linux.
    EXPECT_EQ(LastPathComponent("C:\\Games\\WinUAE\\1200.uae", kPosix), "1200.uae");
    // On Windows "/" is not the separator the rule looks for.
    EXPECT_EQ(LastPathComponent("C:\\a/b.uae", kWin), "a/b.uae");

    for (const PathStyle style : {kWin, kPosix}) {
        std::string why;
        EXPECT_FALSE(LastPathComponent("1200.uae", style, &why));
        EXPECT_NE(why.find("1200.uae"), std::string::npos);
        EXPECT_FALSE(LastPathComponent("None", style));
        EXPECT_FALSE(LastPathComponent("", style));
    }
}

TEST(StripTrailingBackslash, RemovesOneSeparatorOnly) {
    EXPECT_EQ(StripTrailingBackslash("C:\\", kWin), "C:");
    EXPECT_EQ(StripTrailingBackslash("C:\\Games", kWin), "C:\\Games");
    EXPECT_EQ(StripTrailingBackslash("C:\\Games\\\\", kWin), "C:\\Games\\");
    EXPECT_EQ(StripTrailingBackslash("/home/games/", kPosix), "/home/games");
    EXPECT_EQ(StripTrailingBackslash("/", kPosix), "");
    EXPECT_EQ(StripTrailingBackslash("", kPosix), "");
}

TEST(StripSetLetter, RemovesABlankAndOneCapitalLetter) {
    EXPECT_EQ(StripSetLetter("LEMMINGS A"), "LEMMINGS");
    EXPECT_EQ(StripSetLetter("ROCKY V"), "ROCKY");  // a Roman numeral V goes too
    EXPECT_EQ(StripSetLetter("ROCKY II"), "ROCKY II");
    EXPECT_EQ(StripSetLetter("GAME 2"), "GAME 2");
    EXPECT_EQ(StripSetLetter("Game a"), "Game a");
    EXPECT_EQ(StripSetLetter("GAMEA"), "GAMEA");
    EXPECT_EQ(StripSetLetter("A"), "A");
    EXPECT_EQ(StripSetLetter(" B"), "");
}

TEST(GameKey, FollowsTheListedNameExamples) {
    EXPECT_EQ(GameKey("Lemmings.ADF"), "LEMMINGS");
    EXPECT_EQ(GameKey("Lemmings A.adf"), "LEMMINGS");
    EXPECT_EQ(GameKey("Lemmings B.ADZ"), "LEMMINGS");
    EXPECT_EQ(GameKey("Gloom Deluxe (AGA) (Disk 1 of 3).ADF"), "GLOOM DELUXE (AGA) (DISK 1 OF 3)");
    EXPECT_EQ(GameKey("Rocky X.adf"), "ROCKY");
    EXPECT_EQ(GameKey("Rocky X.adf"), GameKey("Rocky.ADF"));
    // A lower-case set letter is upper-cased before the set letter is removed.
    EXPECT_EQ(GameKey("Lemmings b.dms"), "LEMMINGS");
    EXPECT_EQ(GameKey("A.ADF"), "A");
}

TEST(GameKey, UpperCasesAsciiOnlySoUtf8NamesStayValid) {
    // "über spiel.adf": the two bytes of "ü" are left as they are.
    EXPECT_EQ(GameKey("\xC3\xBC"
                      "ber spiel.adf"),
              "\xC3\xBC"
              "BER SPIEL");
    EXPECT_EQ(UpperAscii("\xC3\xA4\xC3\xB6z"), "\xC3\xA4\xC3\xB6Z");
}

TEST(GameKey, NamesThatGiveNoUsableKeyHaveNone) {
    EXPECT_FALSE(GameKey(".ADF"));  // would be the empty section name
    EXPECT_FALSE(GameKey("ADF"));
    EXPECT_FALSE(GameKey(""));
    EXPECT_FALSE(GameKey(" A.ADF"));   // only a set letter
    EXPECT_FALSE(GameKey("   .ADF"));  // only blanks
}

TEST(DiskSetTests, CompareTheLastSixCharactersUpperCased) {
    EXPECT_TRUE(IsADisk("C:\\GAMES\\LEMMINGS A.ADF"));
    EXPECT_TRUE(IsADisk("C:\\GAMES\\LEMMINGS A.ADZ"));
    EXPECT_TRUE(IsADisk("C:\\GAMES\\LEMMINGS A.DMS"));
    EXPECT_TRUE(IsADisk("/home/games/Lemmings a.adf"));  // real-case Posix path
    EXPECT_FALSE(IsADisk("C:\\GAMES\\LEMMINGSA.ADF"));
    EXPECT_FALSE(IsADisk("C:\\GAMES\\LEMMINGS B.ADF"));
    EXPECT_FALSE(IsADisk("C:\\GAMES\\LEMMINGS A.ADX"));
    EXPECT_FALSE(IsADisk("C:\\GAMES\\LEMMINGS A.ADF.TXT"));
    EXPECT_FALSE(IsADisk("A.ADF"));
    EXPECT_FALSE(IsADisk(""));
    EXPECT_TRUE(IsCDisk("X C.DMS"));
    EXPECT_FALSE(IsCDisk("X D.DMS"));
    EXPECT_TRUE(IsDDisk("/x/y d.adz"));
    EXPECT_FALSE(IsDDisk("/x/y C.adz"));
}

TEST(GameFolder, WindowsStyle) {
    EXPECT_EQ(GameFolder("Lemmings", "c: [SYSTEM]", "C:\\Games\\Amiga", kWin),
              "C:\\GAMES\\AMIGA\\LEMMINGS\\");
    EXPECT_EQ(GameFolder("Lemmings", "c: [SYSTEM]", "C:\\Games\\Amiga\\", kWin),
              "C:\\GAMES\\AMIGA\\LEMMINGS\\");
    EXPECT_EQ(GameFolder("Games", "c:", "C:\\", kWin), "C:\\GAMES\\");
    // The root of the drive box's drive, not upper-cased.
    EXPECT_EQ(GameFolder("*Root*", "c: [SYSTEM]", "C:\\", kWin), "c:\\");
    EXPECT_EQ(GameFolder("*Root*", "d:", "C:\\Games", kWin), "d:\\");
    EXPECT_EQ(DiskPath("c:\\", "Lemmings.adf", kWin), "C:\\LEMMINGS.ADF");
}

TEST(GameFolder, PosixStyleKeepsTheRealLetterCase) {
    EXPECT_EQ(GameFolder("Lemmings", "/", "/home/u/Amiga", kPosix), "/home/u/Amiga/Lemmings/");
    EXPECT_EQ(GameFolder("Games", "/", "/", kPosix), "/Games/");
    EXPECT_EQ(GameFolder("*Root*", "/media/u/AMIGA CD", "/media/u/AMIGA CD", kPosix),
              "/media/u/AMIGA CD/");
    EXPECT_EQ(GameFolder("*Root*", "/", "/", kPosix), "/");
    // A folder without subfolders has no entry selected: its own files are listed.
    EXPECT_EQ(GameFolder("", "/", "/home/u/Amiga/", kPosix), "/home/u/Amiga/");
    EXPECT_EQ(DiskPath("/home/u/Amiga/", "Lemmings a.adf", kPosix), "/home/u/Amiga/Lemmings a.adf");
}

TEST(FileSelectionHelpers, FirstSelectedAndDeselectAll) {
    test::FakeFileList files({"a.adf", "b.adf", "c.adf", "d.adf"});
    EXPECT_EQ(FirstSelectedIndex(files), 0);  // nothing selected
    files.click(0);
    EXPECT_EQ(FirstSelectedIndex(files), 0);
    files.click(3);
    files.ctrlClick(2);
    EXPECT_EQ(FirstSelectedIndex(files), 2);

    DeselectAllFiles(files);
    EXPECT_TRUE(files.selectedItems().empty());
    const std::vector<std::pair<int, bool>> expected = {
        {0, false}, {1, false}, {2, false}, {3, false}};
    EXPECT_EQ(files.log, expected);
}

}  // namespace
}  // namespace brackmoor
