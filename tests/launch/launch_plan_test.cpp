#include "launch/launch_plan.h"

#include <map>

#include <gtest/gtest.h>

#include "fake_file_list.h"
#include "platform/ini_document.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::FakeFileList;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;
const std::string kWinFolder = "C:\\GAMES\\";

TEST(GatherSingleLaunch, AutoloadOffTakesTheFocusedFileAndLeavesTheSelection) {
    const DiskGathering g =
        GatherSingleLaunch({"Game A.adf", "Game B.adf"}, 0, false, kWinFolder, kWin);
    EXPECT_EQ(g.disks, (DriveSlots{"C:\\GAMES\\GAME A.ADF", "", "", ""}));
    EXPECT_TRUE(g.selectInTurn.empty());
    EXPECT_FALSE(g.reduceSelection);
}

TEST(GatherSingleLaunch, GathersALetteredSetAndSelectsEachCandidate) {
    const std::vector<std::string> names = {"Alien.adf",  "Game A.adf", "Game B.adf",
                                            "Game C.adf", "Game D.adf", "Zool.adf"};
    const DiskGathering g = GatherSingleLaunch(names, 1, true, kWinFolder, kWin);
    EXPECT_EQ(g.disks, (DriveSlots{"C:\\GAMES\\GAME A.ADF", "C:\\GAMES\\GAME B.ADF",
                                   "C:\\GAMES\\GAME C.ADF", "C:\\GAMES\\GAME D.ADF"}));
    EXPECT_EQ(g.selectInTurn, (std::vector<int>{2, 3, 4}));
    EXPECT_TRUE(g.reduceSelection);
    EXPECT_EQ(g.keep, 1);
}

TEST(GatherSingleLaunch, SetEdgeCases) {
    struct Case {
        const char* what;
        std::vector<std::string> names;
        int focused;
        DriveSlots disks;
        std::vector<int> selected;
    };
    const std::vector<Case> cases = {
        // No C disk: the D disk after B is looked at as the C candidate and not loaded.
        {"A, B, D",
         {"Game A.adf", "Game B.adf", "Game D.adf"},
         0,
         {"C:\\GAMES\\GAME A.ADF", "C:\\GAMES\\GAME B.ADF", "", ""},
         {1, 2}},
        // The B disk is whatever follows, even another game.
        {"single A disk",
         {"Game A.adf", "Other.adf", "Zool.adf"},
         0,
         {"C:\\GAMES\\GAME A.ADF", "C:\\GAMES\\OTHER.ADF", "", ""},
         {1, 2}},
        {"A disk last", {"Alien.adf", "Game A.adf"}, 1, {"C:\\GAMES\\GAME A.ADF", "", "", ""}, {}},
        {"A and B last",
         {"Game A.adf", "Game B.adf"},
         0,
         {"C:\\GAMES\\GAME A.ADF", "C:\\GAMES\\GAME B.ADF", "", ""},
         {1}},
        {"A, B, C last",
         {"G A.adf", "G B.adf", "G C.adf"},
         0,
         {"C:\\GAMES\\G A.ADF", "C:\\GAMES\\G B.ADF", "C:\\GAMES\\G C.ADF", ""},
         {1, 2}},
        {"A, B, C, then not D",
         {"G A.adf", "G B.adf", "G C.adf", "H.adf"},
         0,
         {"C:\\GAMES\\G A.ADF", "C:\\GAMES\\G B.ADF", "C:\\GAMES\\G C.ADF", ""},
         {1, 2, 3}},
        {"mixed extensions",
         {"G A.dms", "G B.adz", "G c.DMS", "G d.Adz"},
         0,
         {"C:\\GAMES\\G A.DMS", "C:\\GAMES\\G B.ADZ", "C:\\GAMES\\G C.DMS", "C:\\GAMES\\G D.ADZ"},
         {1, 2, 3}},
        {"B disk double-clicked",
         {"G A.adf", "G B.adf", "G C.adf"},
         1,
         {"C:\\GAMES\\G B.ADF", "", "", ""},
         {}},
        {"lower-case set letter",
         {"g a.adf", "g b.adf"},
         0,
         {"C:\\GAMES\\G A.ADF", "C:\\GAMES\\G B.ADF", "", ""},
         {1}},
        // The file is not checked for being a disk image.
        {"text file", {"readme.txt"}, 0, {"C:\\GAMES\\README.TXT", "", "", ""}, {}},
    };
    for (const Case& c : cases) {
        const DiskGathering g = GatherSingleLaunch(c.names, c.focused, true, kWinFolder, kWin);
        EXPECT_EQ(g.disks, c.disks) << c.what;
        EXPECT_EQ(g.selectInTurn, c.selected) << c.what;
        EXPECT_TRUE(g.reduceSelection) << c.what;
        EXPECT_EQ(g.keep, c.focused) << c.what;
    }
    // No focused item: nothing to launch.
    EXPECT_EQ(GatherSingleLaunch({}, -1, true, kWinFolder, kWin).disks[0], "");
    EXPECT_EQ(GatherSingleLaunch({"a.adf"}, 1, true, kWinFolder, kWin).disks[0], "");
}

TEST(GatherSingleLaunch, PosixPathsKeepTheirLetterCase) {
    const DiskGathering g =
        GatherSingleLaunch({"Game a.adf", "Game b.adf"}, 0, true, "/home/u/Amiga/", kPosix);
    EXPECT_EQ(g.disks,
              (DriveSlots{"/home/u/Amiga/Game a.adf", "/home/u/Amiga/Game b.adf", "", ""}));
}

TEST(GatherMultipleLaunch, TakesTheFirstFourSelectedInListOrder) {
    const std::vector<std::string> names = {"x.adf", "G (Disk 1 of 3).adf", "G (Disk 2 of 3).adf",
                                            "G (Disk 3 of 3).adf"};
    DiskGathering g = GatherMultipleLaunch(names, {false, true, true, true}, kWinFolder, kWin);
    EXPECT_EQ(g.disks,
              (DriveSlots{"C:\\GAMES\\G (DISK 1 OF 3).ADF", "C:\\GAMES\\G (DISK 2 OF 3).ADF",
                          "C:\\GAMES\\G (DISK 3 OF 3).ADF", ""}));
    EXPECT_TRUE(g.selectInTurn.empty());
    EXPECT_TRUE(g.reduceSelection);
    EXPECT_EQ(g.keep, 1);

    const std::vector<std::string> six = {"1.adf", "2.adf", "3.adf", "4.adf", "5.adf", "6.adf"};
    g = GatherMultipleLaunch(six, std::vector<bool>(6, true), "/g/", kPosix);
    EXPECT_EQ(g.disks, (DriveSlots{"/g/1.adf", "/g/2.adf", "/g/3.adf", "/g/4.adf"}));
    EXPECT_EQ(g.keep, 0);

    // Lettered names selected together are launched as selected.
    g = GatherMultipleLaunch({"G A.adf", "G B.adf", "G C.adf"}, {false, true, true}, "/g/", kPosix);
    EXPECT_EQ(g.disks, (DriveSlots{"/g/G B.adf", "/g/G C.adf", "", ""}));

    g = GatherMultipleLaunch(six, std::vector<bool>(6, false), "/g/", kPosix);
    EXPECT_EQ(g.disks[0], "");
    EXPECT_FALSE(g.reduceSelection);
}

TEST(PlanDrives, ChoosesTheConfigurationSlotAndShiftsForAWorkbench) {
    LauncherSettings settings;
    settings.ConfigLocations[1] = "C:\\WinUAE\\A500.uae";
    settings.ConfigLocations[2] = "C:\\WinUAE\\A1200.uae";
    settings.WorkBenchLocations[1] = "C:\\WB\\Workbench 1.3.adf";
    const DriveSlots fullSet = {"A", "B", "C", "D"};

    auto plan = PlanDrives(fullSet, {1, 0, true}, settings);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->configPath, "C:\\WinUAE\\A1200.uae");
    EXPECT_EQ(plan->slots, fullSet);
    EXPECT_TRUE(plan->disableUnused);

    // The Workbench disk as stored in drive 0; the D disk is dropped.
    plan = PlanDrives(fullSet, {0, 1, false}, settings);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->configPath, "C:\\WinUAE\\A500.uae");
    EXPECT_EQ(plan->slots, (DriveSlots{"C:\\WB\\Workbench 1.3.adf", "A", "B", "C"}));

    // No configuration chosen, a position past the used slots, a Workbench position naming no
    // disk, positions beyond the lists: nothing to write.
    EXPECT_FALSE(PlanDrives(fullSet, {-1, 0, false}, settings));
    EXPECT_FALSE(PlanDrives(fullSet, {2, 0, false}, settings));
    EXPECT_FALSE(PlanDrives(fullSet, {50, 0, false}, settings));
    EXPECT_FALSE(PlanDrives(fullSet, {0, 2, false}, settings));
    EXPECT_FALSE(PlanDrives(fullSet, {0, -1, false}, settings));
    EXPECT_FALSE(PlanDrives(fullSet, {0, 11, false}, settings));
    EXPECT_FALSE(PlanDrives(fullSet, {0, 0, false}, LauncherSettings{}));
}

// A launcher set up in a temporary folder: two configurations, a Workbench disk, an emulator
// file, and a media window whose choices the file list's selection handling reloads from
// remembered game records, as the real windows do.
class LaunchRun : public ::testing::Test {
protected:
    void SetUp() override {
        settings.WinUAEName = (dir.path() / "emulator").string();
        WriteFile(settings.WinUAEName, "#!/bin/sh\n");
        settings.WinUAECommandLinePass = "-config=";
        settings.FloppyCountName = "nr_floppies";
        settings.FloppyName = {"floppy0", "floppy1", "floppy2", "floppy3"};
        settings.FloppyTypeName = {"floppy0type", "floppy1type", "floppy2type", "floppy3type"};
        for (int i = 1; i <= 2; ++i) {
            const auto config = dir.path() / ("config" + std::to_string(i) + ".uae");
            WriteFile(config, "use_gui=yes\n");
            settings.ConfigLocations[i] = config.string();
        }
        settings.WorkBenchLocations[1] = "/wb/Workbench.adf";
        context.gameFolder = "/games/";
        context.readChoices = [this] { return shown; };
        context.settings = &settings;
        context.starter = &starter;
        context.style = PathStyle::Posix;
    }

    // The selection handling: the focused game's record, or the no-record defaults.
    void wire(FakeFileList& files) {
        files.onSelectionHandling = [this](FakeFileList& list) {
            const auto key = GameKey(list.name(list.focusedIndex()));
            const auto found = key ? records.find(*key) : records.end();
            shown = found != records.end() ? found->second : MediaChoices{0, 0, false};
            ++reloads;
        };
    }

    IniDocument config(int slot) const {
        return IniDocument(ReadFile(settings.ConfigLocations[slot]));
    }

    TempDir dir;
    LauncherSettings settings;
    test::RecordingMessages messages;
    RecordingProcessStarter starter;
    LaunchContext context;
    std::map<std::string, MediaChoices> records;
    MediaChoices shown;
    int reloads = 0;
};

TEST_F(LaunchRun, AutoloadReducesTheSelectionAndAppliesTheReloadedRecord) {
    records["GAME"] = {1, 0, false};
    FakeFileList files({"Alien.adf", "Game A.adf", "Game B.adf", "Game C.adf", "Game D.adf"});
    wire(files);
    files.click(1);
    shown = {0, 1, true};  // changed in the media window, not remembered

    const LaunchOutcome outcome = RunLaunch(files, true, context);
    ASSERT_EQ(outcome.kind, LaunchOutcome::Kind::Started);
    EXPECT_EQ(files.selectedItems(), std::vector<int>{1});
    EXPECT_EQ(files.focusedIndex(), 1);
    // The remembered choice applies: configuration 2, no Workbench, drives not disabled.
    const IniDocument written = config(2);
    EXPECT_EQ(written.find("Brackmoor", "floppy0"), "/games/Game A.adf");
    EXPECT_EQ(written.find("Brackmoor", "floppy3"), "/games/Game D.adf");
    EXPECT_EQ(written.find("Brackmoor", "nr_floppies"), "4");
    EXPECT_EQ(ReadFile(settings.ConfigLocations[1]), "use_gui=yes\n");
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].program, settings.WinUAEName);
    EXPECT_EQ(starter.started[0].arguments,
              std::vector<std::string>{"-config=" + settings.ConfigLocations[2]});
}

TEST_F(LaunchRun, AutoloadWithoutARecordUsesTheDefaultsNotUnsavedEdits) {
    FakeFileList files({"Lemmings.adf"});
    wire(files);
    files.click(0);
    shown = {1, 1, true};  // edited, not remembered
    ASSERT_EQ(RunLaunch(files, true, context).kind, LaunchOutcome::Kind::Started);
    EXPECT_EQ(config(1).find("Brackmoor", "floppy0"), "/games/Lemmings.adf");
    EXPECT_EQ(ReadFile(settings.ConfigLocations[2]), "use_gui=yes\n");
}

TEST_F(LaunchRun, AutoloadOffAppliesTheCurrentChoicesWithoutTouchingTheSelection) {
    FakeFileList files({"Lemmings.adf", "Zool.adf"});
    wire(files);
    files.click(0);
    files.ctrlClick(1);
    files.click(0);
    shown = {0, 1, true};  // Workbench and disable-unused, as the media window shows them now
    const int reloadsBefore = reloads;
    ASSERT_EQ(RunLaunch(files, false, context).kind, LaunchOutcome::Kind::Started);
    EXPECT_EQ(reloads, reloadsBefore);
    EXPECT_TRUE(files.log.empty());
    const IniDocument written = config(1);
    EXPECT_EQ(written.find("Brackmoor", "floppy0"), "/wb/Workbench.adf");
    EXPECT_EQ(written.find("Brackmoor", "floppy1"), "/games/Lemmings.adf");
    EXPECT_EQ(written.find("Brackmoor", "nr_floppies"), "2");
    EXPECT_EQ(written.find("Brackmoor", "floppy2type"), "-1");
    EXPECT_EQ(written.find("Brackmoor", "floppy3type"), "-1");
}

TEST_F(LaunchRun, MultipleLaunchAppliesTheFirstDisksRecordWhateverTheClickOrder) {
    records["GLOOM (DISK 1 OF 2)"] = {1, 0, true};
    for (const bool lowerFirst : {false, true}) {
        std::filesystem::remove(settings.ConfigLocations[2]);
        WriteFile(settings.ConfigLocations[2], "use_gui=yes\n");
        FakeFileList files({"Gloom (Disk 1 of 2).adf", "Gloom (Disk 2 of 2).adf", "Zool.adf"});
        wire(files);
        files.click(lowerFirst ? 1 : 0);
        files.ctrlClick(lowerFirst ? 0 : 1);

        const LaunchOutcome outcome = RunLaunchMultiple(files, context);
        ASSERT_EQ(outcome.kind, LaunchOutcome::Kind::Started);
        EXPECT_EQ(files.selectedItems(), std::vector<int>{0});
        EXPECT_EQ(files.focusedIndex(), 0);
        const IniDocument written = config(2);
        EXPECT_EQ(written.find("Brackmoor", "floppy0"), "/games/Gloom (Disk 1 of 2).adf");
        EXPECT_EQ(written.find("Brackmoor", "floppy1"), "/games/Gloom (Disk 2 of 2).adf");
        EXPECT_EQ(written.find("Brackmoor", "nr_floppies"), "2");
        EXPECT_EQ(written.find("Brackmoor", "floppy2type"), "-1");
    }
}

TEST_F(LaunchRun, MissingEmulatorIsReportedAfterTheRewrite) {
    std::filesystem::remove(settings.WinUAEName);
    FakeFileList files({"Lemmings.adf"});
    wire(files);
    files.click(0);
    const LaunchOutcome outcome = RunLaunch(files, false, context);
    EXPECT_EQ(outcome.kind, LaunchOutcome::Kind::PathsWrong);
    EXPECT_EQ(config(1).find("Brackmoor", "floppy0"), "/games/Lemmings.adf");
    EXPECT_TRUE(starter.started.empty());
    EXPECT_FALSE(LaunchMessage(outcome));

    // A folder of that name is no emulator either.
    std::filesystem::create_directory(settings.WinUAEName);
    EXPECT_EQ(RunLaunch(files, false, context).kind, LaunchOutcome::Kind::PathsWrong);
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchRun, NoConfigurationChosenWritesNothing) {
    FakeFileList files({"Lemmings.adf"});
    wire(files);
    files.click(0);
    shown = {-1, 0, false};
    EXPECT_EQ(RunLaunch(files, false, context).kind, LaunchOutcome::Kind::PathsWrong);
    settings.ConfigLocations = {};  // an empty list: the position points at no slot
    shown = {0, 0, false};
    EXPECT_EQ(RunLaunch(files, false, context).kind, LaunchOutcome::Kind::PathsWrong);
    EXPECT_TRUE(starter.started.empty());
    EXPECT_EQ(ReadFile(dir.path() / "config1.uae"), "use_gui=yes\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Brackmoor"));

    FakeFileList empty({});
    EXPECT_EQ(RunLaunch(empty, true, context).kind, LaunchOutcome::Kind::NothingToLaunch);
    EXPECT_EQ(RunLaunchMultiple(empty, context).kind, LaunchOutcome::Kind::NothingToLaunch);
}

TEST_F(LaunchRun, FailedRewriteOrRefusedStartIsReportedAndNothingRunsOnAnOldConfiguration) {
    FakeFileList files({"Lemmings.adf"});
    wire(files);
    files.click(0);
    settings.FloppyCountName = "";  // the start-up load stopped before the key names
    LaunchOutcome outcome = RunLaunch(files, false, context);
    EXPECT_EQ(outcome.kind, LaunchOutcome::Kind::RewriteFailed);
    EXPECT_TRUE(starter.started.empty());
    auto message = LaunchMessage(outcome);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->icon, MessageIcon::Critical);
    EXPECT_NE(message->text.find(settings.ConfigLocations[1]), std::string::npos);
    EXPECT_NE(message->text.find("FloppyCountName is empty"), std::string::npos);

    settings.FloppyCountName = "nr_floppies";
    starter.failure = "Exec format error";
    outcome = RunLaunch(files, false, context);
    EXPECT_EQ(outcome.kind, LaunchOutcome::Kind::StartRefused);
    message = LaunchMessage(outcome);
    ASSERT_TRUE(message);
    EXPECT_NE(message->text.find(settings.WinUAEName), std::string::npos);
    EXPECT_NE(message->text.find("Exec format error"), std::string::npos);
}

}  // namespace
}  // namespace brackmoor
