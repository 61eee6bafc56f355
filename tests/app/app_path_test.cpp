// Where the program keeps its state: portable, installed, unwritable and --data copies.

#include <gtest/gtest.h>

#include "app/app_path.h"
#include "test_support.h"

using namespace brackmoor;

namespace {

AppPathFacts Facts(const std::string& programFolder, bool writable) {
    AppPathFacts facts;
    facts.programFolder = programFolder;
    facts.installBinDir = "/usr/local/bin";
    facts.programFolderWritable = writable;
    facts.userConfigFolder = "/home/ann/.config/Brackmoor";
    facts.userDataFolder = "/home/ann/.local/share/Brackmoor";
    return facts;
}

void ExpectFolders(const AppFolders& folders, const std::string& settings, const std::string& snaps,
                   const std::string& what) {
    EXPECT_EQ(folders.settings, settings) << what;
    EXPECT_EQ(folders.snaps, snaps) << what;
}

const std::string kUserConfig = "/home/ann/.config/Brackmoor/";
const std::string kUserData = "/home/ann/.local/share/Brackmoor/";

TEST(AppPath, InstalledCopyKeepsItsStateInTheUsersFoldersEvenWhereItCouldWrite) {
    // As root, /usr/local/bin can be written; the state still goes to the user's folders.
    for (const std::string folder : {"/usr/local/bin", "/usr/local/bin/", "/usr/local/./bin"}) {
        ExpectFolders(ChooseAppFolders(Facts(folder, true)), kUserConfig, kUserData, folder);
    }
    // Settings an earlier version kept beside "Snaps" are used where they are.
    AppPathFacts earlier = Facts("/usr/local/bin", true);
    earlier.settingsInDataFolder = true;
    ExpectFolders(ChooseAppFolders(earlier), kUserData, kUserData, "earlier settings");
}

TEST(AppPath, AnyOtherCopyIsPortableWhileItsFolderCanBeWritten) {
    ExpectFolders(ChooseAppFolders(Facts("/home/ann/Amiga", true)), "/home/ann/Amiga/",
                  "/home/ann/Amiga/", "portable");
    // A folder that merely begins like the install folder is another folder.
    ExpectFolders(ChooseAppFolders(Facts("/usr/local/bin2", true)), "/usr/local/bin2/",
                  "/usr/local/bin2/", "bin2");
    ExpectFolders(ChooseAppFolders(Facts("/", true)), "/", "/", "root");
}

TEST(AppPath, UnwritableFolderFallsBackToTheUsersFoldersWhenThereAreSome) {
    ExpectFolders(ChooseAppFolders(Facts("/opt/brackmoor", false)), kUserConfig, kUserData, "opt");
    AppPathFacts homeless = Facts("/opt/brackmoor", false);
    homeless.userDataFolder.clear();
    ExpectFolders(ChooseAppFolders(homeless), "/opt/brackmoor/", "/opt/brackmoor/", "homeless");
}

TEST(AppPath, DataOptionOverridesEveryOtherChoice) {
    for (AppPathFacts facts : {Facts("/usr/local/bin", true), Facts("/home/ann/Amiga", true),
                               Facts("/opt/brackmoor", false)}) {
        facts.dataOption = "/media/ann/stick/Brackmoor";
        ExpectFolders(ChooseAppFolders(facts), "/media/ann/stick/Brackmoor/",
                      "/media/ann/stick/Brackmoor/", facts.programFolder);
    }
}

TEST(AppPath, MakeAppFolderMakesMissingFoldersAndRefusesAFile) {
    test::TempDir dir;
    const std::string nested = dir.path().string() + "/a/b/";
    EXPECT_TRUE(MakeAppFolder(nested).ok());
    EXPECT_TRUE(MakeAppFolder(nested).ok());  // already there
    test::WriteFile(dir.path() / "file", "x");
    const Result onFile = MakeAppFolder(dir.path().string() + "/file");
    ASSERT_FALSE(onFile.ok());
    EXPECT_NE(onFile.error().find("/file"), std::string::npos) << onFile.error();
}

}  // namespace
