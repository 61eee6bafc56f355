#include <gtest/gtest.h>

#include "settings/profile_values.h"
#include "settings/window_placement.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The default settings file, byte for byte.
std::string DefaultFileText() {
    std::string text =
        "[Brackmoor]\r\nStartGameDir=C:\\Games\\Amiga\r\n"
        "[WinUAE Compatability]\r\nWinUAEName=C:\\Games\\WinUAE\\WinUAE.exe\r\n"
        "WinUAECommandLinePass=-config=\r\nFloppyCountName=nr_floppies\r\n"
        "Floppy0Name=floppy0\r\nFloppy1Name=floppy1\r\nFloppy2Name=floppy2\r\nFloppy3Name="
        "floppy3\r\n"
        "[WorkBench Locations]\r\n";
    for (int n = 1; n <= 10; ++n)
        text += std::to_string(n) + "=\r\n";
    text += "[Config Locations]\r\n1=C:\\Games\\WinUAE\\Configurations\\1200.uae\r\n";
    for (int n = 2; n <= 50; ++n)
        text += std::to_string(n) + "=\r\n";
    text +=
        "[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n"
        "[Files]\r\nWidth=7320\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n"
        "[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n";
    return text;
}

TEST(DefaultSettingsFile, HoldsEveryKeyInOrderAndReadsBack) {
    TempDir dir;
    ASSERT_TRUE(WriteDefaultSettingsFile(dir.withSeparator()).ok());
    EXPECT_EQ(ReadFile(dir.path() / "Brackmoor.ini"), DefaultFileText());
    const std::string app = dir.withSeparator();
    EXPECT_EQ(ReadProfileValue(app, "Config Locations", "1"),
              "C:\\Games\\WinUAE\\Configurations\\1200.uae");
    EXPECT_EQ(ReadProfileValue(app, "Config Locations", "50"), "");
    EXPECT_EQ(ReadProfileValue(app, "WorkBench Locations", "10"), "");
    EXPECT_EQ(ReadProfileValue(app, "WinUAE Compatability", "Floppy0TypeName"), "None");
    EXPECT_TRUE(SettingsFileExists(app));
}

TEST(DefaultSettingsFile, OverwritesItsKeysAndKeepsOthers) {
    TempDir dir;
    WriteFile(dir.path() / "brackmoor.INI",
              "[WinUAE Compatability]\r\nWinUAEName=/usr/bin/fs-uae\r\nFloppy0TypeName=t0\r\n");
    ASSERT_TRUE(WriteDefaultSettingsFile(dir.withSeparator()).ok());
    const std::string app = dir.withSeparator();
    EXPECT_EQ(ReadProfileValue(app, "WinUAE Compatability", "WinUAEName"),
              "C:\\Games\\WinUAE\\WinUAE.exe");
    EXPECT_EQ(ReadProfileValue(app, "WinUAE Compatability", "Floppy0TypeName"), "t0");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Brackmoor.ini"));  // one file, its own name
}

TEST(ReadProfileValue, TrimsCutsAndDefaultsToNone) {
    TempDir dir;
    const std::string app = dir.withSeparator();
    EXPECT_EQ(ReadProfileValue(app, "Brackmoor", "StartGameDir"), "None");  // no file
    WriteFile(dir.path() / "Brackmoor.INI",
              "[Config Locations]\r\n1=   /games/a.uae   \r\n2= \r\n3=" + std::string(600, 'x') +
                  "\r\n4=\"  --base-dir=/x \"\r\n[Files]\r\nHeight=abc\r\nLeft= -120\r\n");
    EXPECT_EQ(ReadProfileValue(app, "config locations", "1"), "/games/a.uae");
    EXPECT_EQ(ReadProfileValue(app, "Config Locations", "2"), "");
    EXPECT_EQ(ReadProfileValue(app, "Config Locations", "3"), std::string(499, 'x'));
    // Quotes keep trailing blanks; leading ones still go.
    EXPECT_EQ(ReadProfileValue(app, "Config Locations", "4"), "--base-dir=/x ");
    EXPECT_EQ(ReadProfileValue(app, "Config Locations", "5"), "None");

    const WindowPlacement files = ReadWindowPlacement(app, "Files");
    EXPECT_EQ(files.width, 0);   // missing
    EXPECT_EQ(files.height, 0);  // not a number
    EXPECT_EQ(files.left, -120);
}

TEST(ProfileNumber, TakesTheLeadingNumber) {
    EXPECT_EQ(ProfileNumber(" 4600"), 4600);
    EXPECT_EQ(ProfileNumber("-120"), -120);
    EXPECT_EQ(ProfileNumber("+3"), 3);
    EXPECT_EQ(ProfileNumber("12.5px"), 12.5);
    EXPECT_EQ(ProfileNumber("7320 twips"), 7320);
    EXPECT_EQ(ProfileNumber("None"), 0);
    EXPECT_EQ(ProfileNumber(""), 0);
    EXPECT_EQ(ProfileNumber("-"), 0);
    EXPECT_EQ(ProfileNumber("1.2.3"), 1.2);
}

TEST(TwipsToPixels, AValueEditedByHandStaysWithinWhatAWindowCanBe) {
    EXPECT_EQ(TwipsToPixels(1e300, 96), 1000000);
    EXPECT_EQ(TwipsToPixelsAtLeast(-1e300, 96), -1000000);
}

}  // namespace
}  // namespace brackmoor
