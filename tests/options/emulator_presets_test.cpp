#include "options/emulator_presets.h"

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "launch/command_line.h"
#include "platform/process_starter.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::filesystem::path MakeProgram(const std::filesystem::path& file, const std::string& script) {
    std::filesystem::create_directories(file.parent_path());
    WriteFile(file, script);
    ::chmod(file.c_str(), 0755);
    return file;
}

TEST(EmulatorPresets, FindTheProgramOnThePathWithItsFolderElseTheFallback) {
    TempDir dir;
    const EmulatorPreset& amiberry = *FindEmulatorPreset("Amiberry");
    std::filesystem::create_directories(dir.path() / "a");
    WriteFile(dir.path() / "a" / "amiberry", "not a program");  // not executable: passed over
    const auto program = MakeProgram(dir.path() / "b" / "amiberry", "#!/bin/sh\n");
    const std::string path =
        "relative:" + (dir.path() / "a").string() + "::" + (dir.path() / "b").string() + "/";
    EXPECT_EQ(FindEmulatorProgram(amiberry, path), program.string());

    EXPECT_EQ(FindEmulatorProgram(*FindEmulatorPreset("WinUAE"), ""),
              "C:\\Games\\WinUAE\\WinUAE.exe");
    bool installed = false;
    for (const std::string& place : amiberry.usualPlaces) {
        installed = installed || std::filesystem::exists(place);
    }
    if (!installed) {
        EXPECT_EQ(FindEmulatorProgram(amiberry, ""), "");  // left for the user
    }
    EXPECT_EQ(FindEmulatorPreset("UAE"), nullptr);
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

// Amiberry is not packaged here: a stand-in records the arguments it is started with.
TEST(EmulatorPresets, AmiberryGetsItsDocumentedCommandLine) {
    TempDir dir;
    const auto standIn = MakeProgram(dir.path() / "bin" / "amiberry",
                                     "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.part\" && "
                                     "mv \"$0.part\" \"$0.args\"\n");
    const EmulatorPreset& amiberry = *FindEmulatorPreset("Amiberry");
    LauncherSettings settings;
    settings.WinUAEName = FindEmulatorProgram(amiberry, (dir.path() / "bin").string());
    settings.WinUAECommandLinePass = amiberry.commandLinePass;
    const std::string config = (dir.path() / "My Configs" / "A1200.uae").string();
    ProcessRequest request;
    ASSERT_TRUE(EmulatorRequest(settings, config, &request).ok());
    PosixProcessStarter starter;
    ASSERT_TRUE(starter.start(request, nullptr).ok());
    const auto args = standIn.string() + ".args";
    for (int i = 0; i < 200 && !std::filesystem::exists(args); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    EXPECT_EQ(ReadFile(args), "--config\n" + config + "\n");
}

}  // namespace
}  // namespace brackmoor
