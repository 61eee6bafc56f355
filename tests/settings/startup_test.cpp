// Loading the launcher settings: what the windows are given to show, in order. The scenarios a
// user meets at start-up are tested through the main window; damaged and huge files through the
// real program (tests/app/hostile_test.cpp).

#include <gtest/gtest.h>

#include "settings/startup.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::SettingsFile;

SettingsLoad Load(
    const std::string& bytes,
    FolderProbe probe = [](const std::string&) { return FolderState::Present; }) {
    TempDir dir;
    WriteFile(dir.path() / "Brackmoor.INI", bytes);
    LauncherSettings start;
    start.AppPath = dir.withSeparator();
    const SettingsLoad load = LoadSettings(start, probe);
    EXPECT_EQ(ReadFile(dir.path() / "Brackmoor.INI"), bytes);  // never rewritten
    return load;
}

TEST(LoadSettings, AGoodFileLoadsQuietly) {
    SettingsFile file("/games", "/usr/bin/fs-uae", "-config=", {"/cfg/c1.uae", "/other/c1.uae"});
    file.workbenches = {"/wb/Workbench 1.3.adf"};
    const SettingsLoad load = Load(file.text());
    EXPECT_TRUE(load.messages.empty());
    // The same file name in two folders is two items.
    EXPECT_EQ(load.configItems, (std::vector<std::string>{"c1.uae", "c1.uae"}));
    EXPECT_TRUE(load.selectFirstConfig);
    EXPECT_EQ(load.workbenchItems, std::vector<std::string>{"Workbench 1.3.adf"});
    EXPECT_EQ(load.folderBarPath, "/games");
    EXPECT_FALSE(load.fileListPath.has_value());
    EXPECT_EQ(load.settings.PreviousGameDir, "/games");
}

// Each fault is reported in the order found, and the load goes on past it.
TEST(LoadSettings, EachMissingValueIsReported) {
    const struct {
        std::string bytes;
        std::vector<Message> messages;
    } cases[] = {
        {SettingsFile("/games", "x", "y", {}).text(), {NoConfigsMessage()}},
        {SettingsFile("/gone", "", "").text(),
         {PathsWrongMessage(), MissingExecutableMessage(), MissingCommandLineMessage()}},
    };
    for (const auto& c : cases) {
        const SettingsLoad load = Load(c.bytes, [](const std::string& path) {
            return path == "/gone" ? FolderState::Missing : FolderState::Present;
        });
        ASSERT_EQ(load.messages.size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(load.messages[i].text, c.messages[i].text);
            EXPECT_EQ(load.messages[i].icon, c.messages[i].icon);
        }
    }
    EXPECT_FALSE(Load("").messages.empty());
}

TEST(LoadSettings, AnUnreadableStartFolderTakesTheMissingMediaPath) {
    const SettingsLoad load = Load(SettingsFile("/media/cdrom", "x", "y").text(), [](auto& path) {
        return path == "/media/cdrom" ? FolderState::Unreadable : FolderState::Present;
    });
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0].text, MissingMediaMessage().text);
    EXPECT_TRUE(load.workbenchItems.has_value());
    EXPECT_TRUE(load.selectFirstWorkbench);
    EXPECT_EQ(load.settings.PreviousGameDir, "/media/cdrom");
    EXPECT_EQ(load.settings.CurrentGameDir, "/");
    EXPECT_EQ(load.settings.WinUAEName, "");  // not read yet when the load stopped
}

// A Workbench key removed by hand stops the load inside the list: the disks before it are
// listed after "NONE", and nothing is chosen.
TEST(LoadSettings, AMissingWorkbenchKeyLeavesNothingChosen) {
    SettingsFile file;
    file.workbenches = {"/wb/one.adf"};
    std::string text = file.text();
    text.erase(text.find("\n2=", text.find("[WorkBench")) + 1, 4);
    const SettingsLoad load = Load(text);
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0].text, MissingMediaMessage().text);
    EXPECT_EQ(load.workbenchItems, std::vector<std::string>{"one.adf"});
    EXPECT_FALSE(load.selectFirstWorkbench);
}

TEST(SnapsFolder, IsMadeOnceWhateverItsCase) {
    TempDir dir;
    TempDir other;
    std::filesystem::create_directory(other.path() / "SNAPS");
    // The user is told while the folder is still missing, and only once.
    int told = 0;
    const auto tell = [&] {
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "Snaps"));
        ++told;
    };
    for (int run = 0; run < 2; ++run)
        ASSERT_TRUE(EnsureSnapsFolder(dir.withSeparator(), tell).ok());
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Snaps"));
    ASSERT_TRUE(EnsureSnapsFolder(other.withSeparator(), tell).ok());
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(EnsureSnapsFolder("/proc/self/", nullptr).ok());
}

}  // namespace
}  // namespace brackmoor
