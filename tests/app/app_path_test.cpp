// Where the program keeps its state: portable, installed, unwritable and --data copies.

#include "app/app_path.h"

#include <gtest/gtest.h>

#include "test_support.h"

using namespace brackmoor;

namespace {

TEST(AppPath, ChoosesTheFoldersForEachKindOfCopy) {
    const std::string config = "/home/ann/.config/Brackmoor/",
                      data = "/home/ann/.local/share/Brackmoor/";
    const struct {
        const char* programFolder;
        bool writable;
        const char* dataOption;
        bool settingsInData;  // an earlier version kept the settings beside "Snaps"
        bool homeless;        // no user data folder known
        std::string settings, snaps;
    } cases[] = {
        // Installed: the user's folders, even where the program could write (as root).
        {"/usr/local/bin", true, "", false, false, config, data},
        {"/usr/local/bin/", true, "", false, false, config, data},
        {"/usr/local/./bin", true, "", false, false, config, data},
        {"/usr/local/bin", true, "", true, false, data, data},
        // Any other copy is portable while its folder can be written; a folder that merely
        // begins like the install folder is another folder.
        {"/home/ann/Amiga", true, "", false, false, "/home/ann/Amiga/", "/home/ann/Amiga/"},
        {"/usr/local/bin2", true, "", false, false, "/usr/local/bin2/", "/usr/local/bin2/"},
        {"/", true, "", false, false, "/", "/"},
        // Unwritable: the user's folders when there are some.
        {"/opt/brackmoor", false, "", false, false, config, data},
        {"/opt/brackmoor", false, "", false, true, "/opt/brackmoor/", "/opt/brackmoor/"},
        // --data overrides every other choice.
        {"/usr/local/bin", true, "/stick/B", false, false, "/stick/B/", "/stick/B/"},
        {"/home/ann/Amiga", true, "/stick/B", false, false, "/stick/B/", "/stick/B/"},
        {"/opt/brackmoor", false, "/stick/B", false, false, "/stick/B/", "/stick/B/"},
    };
    for (const auto& c : cases) {
        AppPathFacts facts;
        facts.programFolder = c.programFolder;
        facts.installBinDir = "/usr/local/bin";
        facts.programFolderWritable = c.writable;
        facts.dataOption = c.dataOption;
        facts.settingsInDataFolder = c.settingsInData;
        facts.userConfigFolder = "/home/ann/.config/Brackmoor";
        facts.userDataFolder = c.homeless ? "" : "/home/ann/.local/share/Brackmoor";
        const AppFolders folders = ChooseAppFolders(facts);
        EXPECT_EQ(folders.settings, c.settings) << c.programFolder << " " << c.dataOption;
        EXPECT_EQ(folders.snaps, c.snaps) << c.programFolder << " " << c.dataOption;
    }
}

TEST(AppPath, MakeAppFolderMakesMissingFoldersAndRefusesAFile) {
    TempDir dir;
    const std::string nested = dir.path().string() + "/a/b/";
    EXPECT_TRUE(MakeAppFolder(nested).ok());
    EXPECT_TRUE(MakeAppFolder(nested).ok());  // already there
    WriteFile(dir.path() / "file", "x");
    const Result onFile = MakeAppFolder(dir.path().string() + "/file");
    ASSERT_FALSE(onFile.ok());
    EXPECT_NE(onFile.error().find("/file"), std::string::npos) << onFile.error();
}

}  // namespace
