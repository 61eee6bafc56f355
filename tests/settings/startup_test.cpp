// Loading the launcher settings: what the windows are given to show, in order. The scenarios a
// user meets at start-up are tested through the main window.

#include <gtest/gtest.h>

#include "settings/startup.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::SettingsFile;
using test::TempDir;
using test::WriteFile;

struct Fixture {
    TempDir dir;
    LauncherSettings start;
    Fixture() { start.AppPath = dir.withSeparator(); }
    void write(const std::string& text) { WriteFile(dir.path() / "Brackmoor.INI", text); }
};

std::string WithWorkbench(SettingsFile settings) {
    settings.workbenches = {"/wb/Workbench 1.3.adf"};
    return settings.text();
}

FolderState AlwaysPresent(const std::string&) {
    return FolderState::Present;
}

TEST(LoadSettings, AGoodFileLoadsQuietly) {
    Fixture f;
    f.write(WithWorkbench(
        SettingsFile("/games", "/usr/bin/fs-uae", "-config=", {"/cfg/c1.uae", "/cfg/c2.uae"})));
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
    f.write(SettingsFile("/games", "x", "y", {}).text());
    const SettingsLoad load = LoadSettings(f.start, AlwaysPresent);
    EXPECT_TRUE(load.configItems.empty());
    EXPECT_FALSE(load.selectFirstConfig);
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(load.messages[0].text.find("There are no configs!"), std::string::npos);
}

TEST(LoadSettings, AnUnreadableStartFolderTakesTheMissingMediaPath) {
    Fixture f;
    f.write(SettingsFile("/media/cdrom", "x", "y").text());
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
    f.write(SettingsFile("/games", "x", "y", {"/cfg/c1.uae", "/other/c1.uae"}).text());
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
    const std::string good = SettingsFile("/games", "x", "y").text();
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
