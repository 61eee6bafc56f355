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
    facts.userDataFolder = "/home/ann/.local/share/Brackmoor";
    return facts;
}

TEST(AppPath, InstalledCopyKeepsItsStateInTheUsersFolderEvenWhereItCouldWrite) {
    // As root, /usr/local/bin can be written; the state still goes to the user's folder.
    for (const std::string folder : {"/usr/local/bin", "/usr/local/bin/", "/usr/local/./bin"}) {
        EXPECT_EQ(ChooseAppPath(Facts(folder, true)), "/home/ann/.local/share/Brackmoor/")
            << folder;
    }
}

TEST(AppPath, AnyOtherCopyIsPortableWhileItsFolderCanBeWritten) {
    EXPECT_EQ(ChooseAppPath(Facts("/home/ann/Amiga", true)), "/home/ann/Amiga/");
    // A folder that merely begins like the install folder is another folder.
    EXPECT_EQ(ChooseAppPath(Facts("/usr/local/bin2", true)), "/usr/local/bin2/");
    EXPECT_EQ(ChooseAppPath(Facts("/", true)), "/");
}

TEST(AppPath, UnwritableFolderFallsBackToTheUsersFolderWhenThereIsOne) {
    EXPECT_EQ(ChooseAppPath(Facts("/opt/brackmoor", false)), "/home/ann/.local/share/Brackmoor/");
    AppPathFacts homeless = Facts("/opt/brackmoor", false);
    homeless.userDataFolder.clear();
    EXPECT_EQ(ChooseAppPath(homeless), "/opt/brackmoor/");
}

TEST(AppPath, DataOptionOverridesEveryOtherChoice) {
    for (AppPathFacts facts : {Facts("/usr/local/bin", true), Facts("/home/ann/Amiga", true),
                               Facts("/opt/brackmoor", false)}) {
        facts.dataOption = "/media/ann/stick/Brackmoor";
        EXPECT_EQ(ChooseAppPath(facts), "/media/ann/stick/Brackmoor/");
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
