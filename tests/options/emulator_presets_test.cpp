#include "options/emulator_presets.h"

#include <sys/stat.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "launch/command_line.h"
#include "platform/process_starter.h"
#include "test_support.h"

namespace brackmoor {
namespace {

TEST(EmulatorPresets, FindTheProgramOnThePathWithItsFolderElseTheFallback) {
    TempDir dir;
    const EmulatorPreset& amiberry = *FindEmulatorPreset("Amiberry");
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    WriteFile(dir.path() / "a" / "amiberry", "not a program");  // not executable: passed over
    const auto program = dir.path() / "b" / "amiberry";
    WriteFile(program, "#!/bin/sh\n");
    ::chmod(program.c_str(), 0755);
    const std::string path =
        "relative:" + (dir.path() / "a").string() + "::" + (dir.path() / "b").string() + "/";
    EXPECT_EQ(FindEmulatorProgram(amiberry, path), program.string());

    EXPECT_EQ(FindEmulatorProgram(*FindEmulatorPreset("WinUAE"), ""),
              "C:\\Games\\WinUAE\\WinUAE.exe");
    if (std::none_of(amiberry.usualPlaces.begin(), amiberry.usualPlaces.end(),
                     [](const std::string& place) { return std::filesystem::exists(place); })) {
        EXPECT_EQ(FindEmulatorProgram(amiberry, ""), "");  // left for the user
    }
    // The choice the dialog shows for the settings it reads.
    EXPECT_EQ(MatchEmulatorPreset("-config=", "nr_floppies", amiberry.floppyNames)->name, "WinUAE");
    EXPECT_EQ(MatchEmulatorPreset("--config ", "nr_floppies", amiberry.floppyNames), &amiberry);
    const EmulatorPreset& fsuae = *FindEmulatorPreset("FS-UAE");
    EXPECT_EQ(MatchEmulatorPreset("x", fsuae.floppyCountName, fsuae.floppyNames), &fsuae);
    EXPECT_EQ(MatchEmulatorPreset("-- ", "uae_nr_floppies", fsuae.floppyNames), nullptr);
}

TEST(EmulatorPresets, StartersTakeTheFirstSlotsAndNeverOverwriteAFile) {
    TempDir dir;
    const std::string app = dir.withSeparator();
    const EmulatorPreset& fsuae = *FindEmulatorPreset("FS-UAE");
    const std::string windowsDefault = "C:\\Games\\WinUAE\\Configurations\\1200.uae";
    EXPECT_TRUE(NoConfigurationExists({}));
    EXPECT_TRUE(NoConfigurationExists({windowsDefault, "None", ""}));

    const auto folder = dir.path() / "Configurations";
    std::filesystem::create_directories(folder);
    WriteFile(folder / "A500.fs-uae", "[fs-uae]\namiga_model = A500/512KB\n");  // the user's own
    const auto kept = dir.path() / "Mine.fs-uae";
    WriteFile(kept, "[fs-uae]\n");
    EXPECT_FALSE(NoConfigurationExists({windowsDefault, kept.string()}));

    std::vector<std::string> entries = {windowsDefault, kept.string()};
    ASSERT_TRUE(AddStarterConfigurations(fsuae, app, entries).ok());
    EXPECT_EQ(entries,
              (std::vector<std::string>{(folder / "A500.fs-uae").string(),
                                        (folder / "A1200.fs-uae").string(), kept.string()}));
    EXPECT_EQ(ReadFile(folder / "A500.fs-uae"), "[fs-uae]\namiga_model = A500/512KB\n");
    EXPECT_EQ(ReadFile(folder / "A1200.fs-uae"), "[fs-uae]\namiga_model = A1200\n");

    // A folder that cannot be made: the list stays as it was and the reason names the place.
    TempDir other;
    WriteFile(other.path() / "Configurations", "a file, not a folder");
    entries = {windowsDefault};
    const Result refused = AddStarterConfigurations(fsuae, other.withSeparator(), entries);
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("Configurations"), std::string::npos);
    EXPECT_EQ(entries, std::vector<std::string>{windowsDefault});
}

// The process starter hands these arguments on as they are (tested with the starter).
TEST(EmulatorPresets, AmiberryGetsItsDocumentedCommandLine) {
    LauncherSettings settings;
    settings.WinUAEName = "/usr/bin/amiberry";
    settings.WinUAECommandLinePass = FindEmulatorPreset("Amiberry")->commandLinePass;
    ProcessRequest request;
    ASSERT_TRUE(EmulatorRequest(settings, "/My Configs/A1200.uae", &request).ok());
    EXPECT_EQ(request,
              (ProcessRequest{"/usr/bin/amiberry", {"--config", "/My Configs/A1200.uae"}}));
}

}  // namespace
}  // namespace brackmoor
