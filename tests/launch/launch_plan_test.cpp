#include "launch/launch_plan.h"

#include <tuple>

#include <gtest/gtest.h>

#include "fake_file_list.h"
#include "recording_starter.h"
#include "test_support.h"

namespace brackmoor {
namespace {

constexpr PathStyle kPosix = PathStyle::Posix;
using Names = std::vector<std::string>;
using Kind = LaunchOutcome::Kind;

TEST(GatherSingleLaunch, LetteredSetsAndTheirEdgeCases) {
    // Names, focused item, autoload, the items in drives 0.. and the items selected in turn.
    using Items = std::vector<int>;
    const std::vector<std::tuple<Names, int, bool, Items, Items>> cases = {
        {{"G A.adf", "G B.adf"}, 0, false, {0}, {}},  // off: the selection is left alone
        // clang-format off
        {{"X.adf", "G A.adf", "G B.adf", "G C.adf", "G D.adf", "Z.adf"}, 1, true, {1, 2, 3, 4},
         {2, 3, 4}},
        // clang-format on
        // No C disk: the D disk after B is looked at as the C candidate and not loaded.
        {{"G A.adf", "G B.adf", "G D.adf"}, 0, true, {0, 1}, {1, 2}},
        // The B disk is whatever follows, even another game.
        {{"G A.adf", "Other.adf", "Z.adf"}, 0, true, {0, 1}, {1, 2}},
        {{"G A.adf", "G B.adf", "G C.adf", "H.adf"}, 0, true, {0, 1, 2}, {1, 2, 3}},
        {{"G A.dms", "G B.adz", "G c.DMS", "G d.Adz"}, 0, true, {0, 1, 2, 3}, {1, 2, 3}},
        {{"G A.adf", "G B.adf", "G C.adf"}, 1, true, {1}, {}},  // a B disk alone
        {{"readme.txt"}, 0, true, {0}, {}},  // not checked for being a disk image
    };
    for (const auto& [names, focused, autoload, inDrives, selectInTurn] : cases) {
        DriveSlots disks;
        for (std::size_t d = 0; d < inDrives.size(); ++d) {
            disks[d] = "/g/" + names[inDrives[d]];
        }
        test::FakeFileList files(names);
        files.click(focused);
        const DiskGathering g = GatherSingleLaunch(files, autoload, "/g/", kPosix);
        EXPECT_EQ(g.disks, disks) << names[focused];
        EXPECT_EQ(g.selectInTurn, selectInTurn) << names[focused];
        EXPECT_EQ(g.reduceSelection, autoload);
        EXPECT_TRUE(!autoload || g.keep == focused) << g.keep;
    }
    // No focused item: nothing to launch.
    EXPECT_EQ(GatherSingleLaunch(test::FakeFileList({"a.adf"}), true, "/g/", kPosix).disks[0], "");
}

TEST(GatherMultipleLaunch, TakesTheFirstFourSelectedInListOrder) {
    // Lettered names selected together are launched as selected; a fifth selected one is not.
    test::FakeFileList six({"1.adf", "G B.adf", "G C.adf", "4.adf", "5.adf", "6.adf"});
    DiskGathering g = GatherMultipleLaunch(six, "/g/", kPosix);
    EXPECT_EQ(g.disks[0], "");
    EXPECT_FALSE(g.reduceSelection);
    for (const int i : {5, 1, 2, 3, 4}) {
        six.click(i);
    }
    g = GatherMultipleLaunch(six, "/g/", kPosix);
    EXPECT_EQ(g.disks, (DriveSlots{"/g/G B.adf", "/g/G C.adf", "/g/4.adf", "/g/5.adf"}));
    EXPECT_TRUE(g.reduceSelection && g.keep == 1 && g.selectInTurn.empty());
}

TEST(PlanDrives, ChoosesTheConfigurationShiftsForAWorkbenchAndRefusesUnusableChoices) {
    LauncherSettings settings;
    settings.ConfigLocations[1] = "C:\\WinUAE\\A500.uae";
    settings.ConfigLocations[2] = "C:\\WinUAE\\A1200.uae";
    settings.WorkBenchLocations[1] = "C:\\WB\\Wb13.adf";
    const DriveSlots fullSet = {"A", "B", "C", "D"};

    // clang-format off
    const std::tuple<GameChoices, const char*, DriveSlots> planned[] = {
        {{1, 0, false, true}, "C:\\WinUAE\\A1200.uae", fullSet},
        // The Workbench disk as stored in drive 0; the D disk is dropped.
        {{0, 1, false, false}, "C:\\WinUAE\\A500.uae", {"C:\\WB\\Wb13.adf", "A", "B", "C"}},
        // A name typed into the Workbench box is no Workbench disk.
        {{0, -1, false, false}, "C:\\WinUAE\\A500.uae", fullSet}};
    // clang-format on
    for (const auto& [choices, config, slots] : planned) {
        const auto plan = PlanDrives(fullSet, choices, settings);
        ASSERT_TRUE(plan) << config;
        EXPECT_EQ(plan->configPath, config);
        EXPECT_EQ(plan->slots, slots);
        EXPECT_EQ(plan->disableUnused, choices.disableUnusedDrives);
    }
    // No configuration chosen, a position past the used slots or beyond the list, a Workbench
    // position naming no disk or beyond the list: nothing to write.
    for (const auto& [config, workbench] : {std::pair{-1, 0}, {2, 0}, {50, 0}, {0, 2}, {0, 11}}) {
        EXPECT_FALSE(PlanDrives(fullSet, {config, workbench, false, false}, settings)) << config;
    }
    EXPECT_FALSE(PlanDrives(fullSet, {0, 0, false, false}, LauncherSettings{}));
}

// The outcomes the window tests do not reach: each stops the launch with what went wrong.
TEST(RunLaunch, ReportsWhatStoppedItAndStartsNothingOnAnOldConfiguration) {
    TempDir dir;
    LauncherSettings settings;
    settings.WinUAEName = (dir.path() / "emulator").string();
    WriteFile(settings.WinUAEName, "#!/bin/sh\n");
    settings.WinUAECommandLinePass = "-config=";
    settings.FloppyName = {"floppy0", "floppy1", "floppy2", "floppy3"};
    settings.FloppyTypeName = {"None", "None", "None", "None"};
    const auto config = dir.path() / "A500.uae";
    WriteFile(config, "use_gui=yes\n");
    settings.ConfigLocations[1] = config.string();
    test::RecordingProcessStarter starter;
    GameChoices shown{0, 0, false, false};
    const LaunchContext context{"/games/", [&] { return shown; }, &settings, &starter, kPosix};
    test::FakeFileList files({"Lemmings.adf"});
    files.click(0);

    // The start-up load stopped before the key names: the rewrite fails, naming file and reason.
    LaunchOutcome outcome = RunLaunch(files, false, context);
    EXPECT_EQ(outcome.kind, Kind::RewriteFailed);
    auto message = LaunchMessage(outcome);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->icon, MessageIcon::Critical);
    EXPECT_NE(message->text.find(config.string()), std::string::npos);
    EXPECT_NE(message->text.find("FloppyCountName is empty"), std::string::npos);

    // A path the command line cannot carry whole is refused before anything is written.
    settings.FloppyCountName = "nr_floppies";
    settings.ConfigLocations[1] = (dir.path() / "odd\"name.uae").string();
    WriteFile(settings.ConfigLocations[1], "use_gui=yes\n");
    EXPECT_EQ(RunLaunch(files, false, context).kind, Kind::RewriteFailed);
    EXPECT_EQ(ReadFile(settings.ConfigLocations[1]), "use_gui=yes\n");
    EXPECT_TRUE(starter.started.empty());

    // A configuration stored in another letter case: the emulator gets the file rewritten.
    settings.ConfigLocations[1] = (dir.path() / "a500.UAE").string();
    EXPECT_EQ(RunLaunch(files, false, context).kind, Kind::Started);
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].arguments, std::vector<std::string>{"-config=" + config.string()});
    EXPECT_NE(ReadFile(config).find("floppy0=/games/Lemmings.adf"), std::string::npos);

    starter.failure = "Exec format error";
    message = LaunchMessage(RunLaunch(files, false, context));
    ASSERT_TRUE(message);
    EXPECT_NE(message->text.find(settings.WinUAEName), std::string::npos);
    EXPECT_NE(message->text.find("Exec format error"), std::string::npos);

    // No configuration chosen: nothing written; the window shows the paths-wrong message.
    const std::string written = ReadFile(config);
    shown = {-1, 0, false, false};
    outcome = RunLaunch(files, false, context);
    EXPECT_EQ(outcome.kind, Kind::PathsWrong);
    EXPECT_FALSE(LaunchMessage(outcome));
    EXPECT_EQ(ReadFile(config), written);
    EXPECT_EQ(starter.started.size(), 2u);

    test::FakeFileList empty({});
    EXPECT_EQ(RunLaunch(empty, true, context).kind, Kind::NothingToLaunch);
    EXPECT_EQ(RunLaunchMultiple(empty, context).kind, Kind::NothingToLaunch);
}

}  // namespace
}  // namespace brackmoor
