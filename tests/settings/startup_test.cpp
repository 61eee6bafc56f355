// Loading the launcher settings: what the windows are given to show, in order. The scenarios a
// user meets at start-up are tested through the main window.

#include <gtest/gtest.h>

#include "settings/startup.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A well-formed settings file with `configs` used configuration slots.
std::string SettingsText(const std::string& startDir, const std::string& exe,
                         const std::string& pass, int configs) {
    std::string text = "[Brackmoor]\r\nStartGameDir=" + startDir +
                       "\r\n[WinUAE Compatability]\r\nWinUAEName=" + exe +
                       "\r\nWinUAECommandLinePass=" + pass +
                       "\r\nFloppyCountName=nr_floppies\r\nFloppy0Name=floppy0\r\n"
                       "Floppy1Name=floppy1\r\nFloppy2Name=floppy2\r\nFloppy3Name=floppy3\r\n"
                       "[WorkBench Locations]\r\n1=/wb/Workbench 1.3.adf\r\n";
    for (int n = 2; n <= 10; ++n)
        text += std::to_string(n) + "=\r\n";
    text += "[Config Locations]\r\n";
    for (int n = 1; n <= 50; ++n) {
        text += std::to_string(n) + "=" +
                (n <= configs ? "/cfg/c" + std::to_string(n) + ".uae" : "") + "\r\n";
    }
    return text;
}

struct Fixture {
    TempDir dir;
    LauncherSettings start;
    Fixture() { start.AppPath = dir.withSeparator(); }
    void write(const std::string& text) { WriteFile(dir.path() / "Brackmoor.INI", text); }
};

FolderState AlwaysPresent(const std::string&) {
    return FolderState::Present;
}

TEST(LoadSettings, AGoodFileLoadsQuietly) {
    Fixture f;
    f.write(SettingsText("/games", "/usr/bin/fs-uae", "-config=", 2));
    const SettingsLoad load = LoadSettings(f.start, AlwaysPresent);
    EXPECT_TRUE(load.messages.empty());
    EXPECT_EQ(load.configItems, (std::vector<std::string>{"c1.uae", "c2.uae"}));
    EXPECT_TRUE(load.selectFirstConfig);
    ASSERT_TRUE(load.workbenchItems.has_value());
    EXPECT_EQ(*load.workbenchItems, std::vector<std::string>{"Workbench 1.3.adf"});
    EXPECT_EQ(load.folderBarPath, "/games");
    EXPECT_FALSE(load.fileListPath.has_value());
    EXPECT_EQ(load.settings.CurrentGameDir, "/games");
    EXPECT_EQ(load.settings.PreviousGameDir, "/games");
    EXPECT_EQ(load.settings.ConfigLocations[2], "/cfg/c2.uae");
    EXPECT_EQ(load.settings.FloppyName[3], "floppy3");
    EXPECT_EQ(load.settings.FloppyTypeName[0], "None");
}

TEST(LoadSettings, NoConfigurationsLeavesTheListEmpty) {
    Fixture f;
    f.write(SettingsText("/games", "x", "y", 0));
    const SettingsLoad load = LoadSettings(f.start, AlwaysPresent);
    EXPECT_TRUE(load.configItems.empty());
    EXPECT_FALSE(load.selectFirstConfig);
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(load.messages[0].text.find("There are no configs!"), std::string::npos);
}

TEST(LoadSettings, AnUnreadableStartFolderTakesTheMissingMediaPath) {
    Fixture f;
    f.write(SettingsText("/media/cdrom", "x", "y", 1));
    const SettingsLoad load = LoadSettings(f.start, [](const std::string& path) {
        return path == "/media/cdrom" ? FolderState::Unreadable : FolderState::Present;
    });
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0].text, MissingMediaMessage().text);
    EXPECT_TRUE(load.workbenchItems.has_value());
    EXPECT_EQ(load.settings.PreviousGameDir, "/media/cdrom");
    EXPECT_EQ(load.settings.CurrentGameDir, "/");
    EXPECT_EQ(load.settings.WinUAEName, "");  // not read yet when the load stopped
}

TEST(LoadSettings, SameFileNamesInDifferentFoldersAreTwoItems) {
    Fixture f;
    std::string text = SettingsText("/games", "x", "y", 2);
    text.replace(text.find("/cfg/c2.uae"), 11, "/other/c1.uae");
    f.write(text);
    EXPECT_EQ(LoadSettings(f.start, AlwaysPresent).configItems,
              (std::vector<std::string>{"c1.uae", "c1.uae"}));
}

TEST(LoadSettings, BadFilesNeverCrashAndAreNeverRewritten) {
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "[Section" + std::to_string(huge.size()) + "]\r\nkey=value\r\n";
    const std::string good = SettingsText("/games", "x", "y", 1);
    std::string crOnly = good;
    for (char& c : crOnly)
        if (c == '\n')
            c = ' ';
    std::string upper = good;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    const std::string files[] = {garbage,
                                 "",
                                 huge,
                                 "\xEF\xBB\xBF" + good,
                                 crOnly,
                                 upper,
                                 "[Config Locations]\r\n1=" + std::string(600, 'a') + "\r\n"};
    for (const std::string& bytes : files) {
        Fixture f;
        f.write(bytes);
        const SettingsLoad load = LoadSettings(f.start, AlwaysPresent);
        EXPECT_FALSE(load.messages.empty() && bytes.empty());
        EXPECT_EQ(ReadFile(f.dir.path() / "Brackmoor.INI"), bytes);
    }
    // A BOM, CR-only line endings and upper-case names read like the plain file.
    for (const std::string& bytes : {"\xEF\xBB\xBF" + good, crOnly, upper}) {
        Fixture f;
        f.write(bytes);
        EXPECT_EQ(LoadSettings(f.start, AlwaysPresent).configItems.size(), 1u);
    }
}

TEST(SnapsFolder, IsMadeOnceWhateverItsCase) {
    TempDir dir;
    bool created = false;
    ASSERT_TRUE(EnsureSnapsFolder(dir.withSeparator(), &created).ok());
    EXPECT_TRUE(created);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Snaps"));
    ASSERT_TRUE(EnsureSnapsFolder(dir.withSeparator(), &created).ok());
    EXPECT_FALSE(created);

    TempDir other;
    std::filesystem::create_directory(other.path() / "SNAPS");
    ASSERT_TRUE(EnsureSnapsFolder(other.withSeparator(), &created).ok());
    EXPECT_FALSE(created);

    EXPECT_FALSE(EnsureSnapsFolder("/proc/self/", &created).ok());
}

}  // namespace
}  // namespace brackmoor
