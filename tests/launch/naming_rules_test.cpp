#include "launch/naming_rules.h"

#include <optional>

#include <gtest/gtest.h>

#include "fake_file_list.h"

namespace brackmoor {
namespace {

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

TEST(PathRules, LastComponentAndTrailingSeparatorInBothStyles) {
    EXPECT_EQ(LastPathComponent("C:\\Games\\", kWin), "");
    EXPECT_EQ(LastPathComponent("C:\\a/b.uae", kWin), "a/b.uae");  // "/" is no separator there
    EXPECT_EQ(LastPathComponent("/home/amiga/configs/A500.fs-uae", kPosix), "A500.fs-uae");
    // A value stored on Windows still shows its file name on Linux.
    EXPECT_EQ(LastPathComponent("C:\\Games\\WinUAE\\1200.uae", kPosix), "1200.uae");
    for (const PathStyle style : {kWin, kPosix}) {
        std::string why;
        EXPECT_FALSE(LastPathComponent("1200.uae", style, &why));
        EXPECT_NE(why.find("1200.uae"), std::string::npos);
        EXPECT_FALSE(LastPathComponent("", style));
    }
    EXPECT_EQ(StripTrailingBackslash("C:\\", kWin), "C:");
    EXPECT_EQ(StripTrailingBackslash("C:\\Games", kWin), "C:\\Games");
    EXPECT_EQ(StripTrailingBackslash("C:\\Games\\\\", kWin), "C:\\Games\\");
    EXPECT_EQ(StripTrailingBackslash("/home/games/", kPosix), "/home/games");
}

TEST(GameKey, ListedNamesAndNamesWithoutAKey) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"Lemmings.ADF", "LEMMINGS"},
        {"Lemmings b.dms", "LEMMINGS"},  // upper-cased before the set letter goes
        {"Rocky V.adf", "ROCKY"},        // a Roman numeral V goes too
        {"Rocky II.adf", "ROCKY II"},
        {"Game 2.adf", "GAME 2"},
        {"GameA.adf", "GAMEA"},
        {"A.ADF", "A"},
        {"\u00fcber spiel.adf", "\u00fcBER SPIEL"},  // ASCII only: UTF-8 stays valid
        {".ADF", std::nullopt},
        {"ADF", std::nullopt},
        {" A.ADF", std::nullopt},
    };
    for (const auto& [name, key] : cases) {
        EXPECT_EQ(GameKey(name), key) << name;
    }
}

TEST(DiskSetTests, LookAtTheLastSixCharactersUpperCased) {
    for (const char* a : {"C:\\GAMES\\LEMMINGS A.ADF", "X A.ADZ", "X A.DMS", "/home/g/Lem a.adf"}) {
        EXPECT_TRUE(IsADisk(a)) << a;
    }
    for (const char* notA : {"C:\\LEMMINGSA.ADF", "X B.ADF", "X A.ADX", "X A.ADF.TXT", "A.ADF"}) {
        EXPECT_FALSE(IsADisk(notA)) << notA;
    }
    EXPECT_TRUE(IsCDisk("X C.DMS") && !IsCDisk("X D.DMS"));
    EXPECT_TRUE(IsDDisk("/x/y d.adz") && !IsDDisk("/x/y C.adz"));
}

TEST(GameFolder, BothPathStyles) {
    EXPECT_EQ(GameFolder("Lemmings", "c: [SYSTEM]", "C:\\Games\\Amiga", kWin),
              "C:\\GAMES\\AMIGA\\LEMMINGS\\");
    EXPECT_EQ(GameFolder("Games", "c:", "C:\\", kWin), "C:\\GAMES\\");
    EXPECT_EQ(GameFolder("*Root*", "d:", "C:\\Games", kWin), "d:\\");  // the drive box's drive
    EXPECT_EQ(DiskPath("c:\\", "Lemmings.adf", kWin), "C:\\LEMMINGS.ADF");
    EXPECT_EQ(GameFolder("Lemmings", "/", "/home/u/Amiga", kPosix), "/home/u/Amiga/Lemmings/");
    EXPECT_EQ(GameFolder("Games", "/", "/", kPosix), "/Games/");
    EXPECT_EQ(GameFolder("*Root*", "/media/u/AMIGA CD", "/home", kPosix), "/media/u/AMIGA CD/");
    // A folder without subfolders has no entry selected: its own files are listed.
    EXPECT_EQ(GameFolder("", "/", "/home/u/Amiga/", kPosix), "/home/u/Amiga/");
    EXPECT_EQ(DiskPath("/home/u/Amiga/", "Lemmings a.adf", kPosix), "/home/u/Amiga/Lemmings a.adf");
}

TEST(FileSelection, FirstSelectedAndDeselectAll) {
    test::FakeFileList files({"a.adf", "b.adf", "c.adf"});
    EXPECT_EQ(FirstSelectedIndex(files), 0);  // nothing selected
    files.click(2);
    files.click(1);
    EXPECT_EQ(FirstSelectedIndex(files), 1);
    DeselectAllFiles(files);
    EXPECT_EQ(files.log, (std::vector<std::pair<int, bool>>{{1, false}, {2, false}}));
}

}  // namespace
}  // namespace brackmoor
