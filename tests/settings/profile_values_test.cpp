#include <gtest/gtest.h>

#include "settings/profile_values.h"
#include "settings/window_placement.h"
#include "test_support.h"

namespace brackmoor {
namespace {

// The default settings file, byte for byte: every key in order, over an older file's keys of
// the same names, keeping its others, under the file's own spelling of its name.
TEST(DefaultSettingsFile, HoldsEveryKeyInOrderAndKeepsOthers) {
    std::string text =
        "[Brackmoor]\r\nStartGameDir=C:\\Games\\Amiga\r\n[WinUAE Compatability]\r\nWinUAEName="
        "C:\\Games\\WinUAE\\WinUAE.exe\r\nWinUAECommandLinePass=-config=\r\nFloppyCountName="
        "nr_floppies\r\nFloppy0Name=floppy0\r\nFloppy1Name=floppy1\r\nFloppy2Name=floppy2\r\n"
        "Floppy3Name=floppy3\r\n[WorkBench Locations]\r\n";
    for (int n = 1; n <= 10; ++n)
        text += std::to_string(n) + "=\r\n";
    text += "[Config Locations]\r\n1=C:\\Games\\WinUAE\\Configurations\\1200.uae\r\n";
    for (int n = 2; n <= 50; ++n)
        text += std::to_string(n) + "=\r\n";
    text +=
        "[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n[Files]\r\nWidth=7320\r\n"
        "Height=7950\r\nLeft=4600\r\nTop=0\r\n[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\n"
        "Top=4000\r\n";
    TempDir dir;
    const std::string app = dir.withSeparator();
    EXPECT_FALSE(SettingsFileExists(app));
    ASSERT_TRUE(WriteDefaultSettingsFile(app).ok());
    EXPECT_EQ(ReadFile(dir.path() / "Brackmoor.ini"), text);
    EXPECT_TRUE(SettingsFileExists(app));

    TempDir old;
    WriteFile(old.path() / "brackmoor.INI",
              "[WinUAE Compatability]\r\nWinUAEName=/usr/bin/fs-uae\r\nFloppy0TypeName=t0\r\n");
    ASSERT_TRUE(WriteDefaultSettingsFile(old.withSeparator()).ok());
    const auto read = [&](const char* key) {
        return ReadProfileValue(old.withSeparator(), "WinUAE Compatability", key);
    };
    EXPECT_EQ(read("WinUAEName"), "C:\\Games\\WinUAE\\WinUAE.exe");
    EXPECT_EQ(read("Floppy0TypeName"), "t0");
    EXPECT_FALSE(std::filesystem::exists(old.path() / "Brackmoor.ini"));
}

// Line syntax (case, quotes, line ends) is checked by the INI cases; these are this program's
// own rules on top: "None" for what is missing, blanks trimmed, values cut at 499 characters.
TEST(ReadProfileValue, TrimsCutsAndDefaultsToNone) {
    TempDir dir;
    const std::string app = dir.withSeparator();
    EXPECT_EQ(ReadProfileValue(app, "Brackmoor", "StartGameDir"), "None");  // no file
    WriteFile(dir.path() / "Brackmoor.INI",
              "[Config Locations]\r\n1=   /games/a.uae   \r\n2= \r\n3=" + std::string(600, 'x') +
                  "\r\n4=\"  --base-dir=/x \"\r\n[Files]\r\nHeight=abc\r\nLeft= -120\r\n");
    // Quotes keep trailing blanks; leading ones still go.
    const std::string values[] = {"/games/a.uae", "", std::string(499, 'x'), "--base-dir=/x ",
                                  "None"};
    for (int key = 1; key <= 5; ++key)
        EXPECT_EQ(ReadProfileValue(app, "Config Locations", std::to_string(key)), values[key - 1]);
    const WindowPlacement files = ReadWindowPlacement(app, "Files");
    EXPECT_EQ(files.width, 0);   // missing
    EXPECT_EQ(files.height, 0);  // not a number
    EXPECT_EQ(files.left, -120);
}

TEST(ProfileNumber, TakesTheLeadingNumberAndStaysWithinWhatAWindowCanBe) {
    const std::pair<const char*, double> numbers[] = {
        {" 4600", 4600}, {"-120", -120}, {"+3", 3}, {"12.5px", 12.5}, {"7320 twips", 7320},
        {"None", 0},     {"", 0},        {"-", 0},  {"1.2.3", 1.2}};
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(ProfileNumber(text), number) << text;
    EXPECT_EQ(TwipsToPixels(1e300, 96), 1000000);
    EXPECT_EQ(TwipsToPixelsAtLeast(-1e300, 96), -1000000);
}

}  // namespace
}  // namespace brackmoor
