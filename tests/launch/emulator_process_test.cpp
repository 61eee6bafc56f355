#include "launch/emulator_process.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "fake_file_list.h"
#include "launch/launch_plan.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using Args = std::vector<std::string>;

TEST(SplitCommandLineArguments, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLineArguments("-config=\"/a b/x.uae\""), Args{"-config=/a b/x.uae"});
    EXPECT_EQ(SplitCommandLineArguments("--base-dir=/x \"/a b/c.fs-uae\""),
              (Args{"--base-dir=/x", "/a b/c.fs-uae"}));
    EXPECT_EQ(SplitCommandLineArguments("  a \t b  "), (Args{"a", "b"}));
    EXPECT_EQ(SplitCommandLineArguments(""), Args{});
    EXPECT_EQ(SplitCommandLineArguments("a \"\" b"), (Args{"a", "", "b"}));
    EXPECT_EQ(SplitCommandLineArguments("x\"a b\"y\" c\""), Args{"xa by c"});
    EXPECT_EQ(SplitCommandLineArguments("\"unterminated quote"), Args{"unterminated quote"});
}

TEST(SplitCommandLineArguments, BackslashesAreLiteralUnlessTheyPrecedeAQuote) {
    EXPECT_EQ(SplitCommandLineArguments("C:\\Games\\WinUAE\\x.uae"),
              Args{"C:\\Games\\WinUAE\\x.uae"});
    EXPECT_EQ(SplitCommandLineArguments("\"C:\\a b\\\\\""),
              Args{"C:\\a b\\"});                                  // 2n: n, quote groups
    EXPECT_EQ(SplitCommandLineArguments("a\\\"b"), Args{"a\"b"});  // 2n+1: literal quote
    EXPECT_EQ(SplitCommandLineArguments("a\\\\\\\"b c"), (Args{"a\\\"b", "c"}));
    EXPECT_EQ(SplitCommandLineArguments("a\\\\b"), Args{"a\\\\b"});
    EXPECT_EQ(SplitCommandLineArguments("\"a\"\"b\" c"), (Args{"a\"b", "c"}));  // "" inside quotes
}

TEST(EmulatorRequest, ComposesAndSplitsTheEmulatorsCommandLine) {
    LauncherSettings settings;
    settings.WinUAEName = "C:\\Program Files\\WinUAE\\WinUAE.exe";
    settings.WinUAECommandLinePass = "-config=";
    const std::string config = "C:\\Games\\WinUAE\\Configurations\\My 1200.uae";
    EXPECT_EQ(ComposeCommandLine(settings, config),
              "C:\\Program Files\\WinUAE\\WinUAE.exe -config=\"" + config + "\"");

    ProcessRequest request;
    ASSERT_TRUE(EmulatorRequest(settings, config, &request).ok());
    EXPECT_EQ(request.program, settings.WinUAEName);  // unquoted, as stored, blanks and all
    EXPECT_EQ(request.arguments, Args{"-config=" + config});

    settings.WinUAECommandLinePass = "--base-dir=/demo/fs-uae ";
    ASSERT_TRUE(EmulatorRequest(settings, "/demo/A500.fs-uae", &request).ok());
    EXPECT_EQ(request.arguments, (Args{"--base-dir=/demo/fs-uae", "/demo/A500.fs-uae"}));

    EXPECT_FALSE(EmulatorRequest(settings, "/demo/a\"b.fs-uae", &request).ok());
    EXPECT_FALSE(EmulatorRequest(settings, "/demo/odd\\", &request).ok());
}

// Waits up to ten seconds for a file that another process writes.
bool WaitForFile(const std::filesystem::path& file) {
    for (int i = 0; i < 1000; ++i) {
        if (std::filesystem::exists(file)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void MakeExecutable(const std::filesystem::path& file, const std::string& text) {
    WriteFile(file, text);
    ::chmod(file.c_str(), 0755);
}

TEST(PosixProcessStarter, RunsAStandInEmulatorDetachedWithTheConfigurationItWasHanded) {
    TempDir dir;
    const auto folder = dir.path() / "My Emulator";
    std::filesystem::create_directories(folder);
    const auto record = dir.path() / "record.txt";
    const auto copy = dir.path() / "copy.uae";
    // Records its arguments, process id and working folder, and copies the configuration named
    // by its last argument after "-config=".
    const auto emulator = folder / "stand in";
    MakeExecutable(
        emulator,
        "#!/bin/sh\n"
        "out='" +
            record.string() +
            "'\n"
            "{ echo \"pid=$$\"; echo \"cwd=$(pwd)\"; for a in \"$@\"; do echo \"arg=$a\"; done; } "
            "> \"$out.tmp\"\n"
            "for a in \"$@\"; do last=$a; done\n"
            "cp \"${last#-config=}\" '" +
            copy.string() +
            "'\n"
            "mv \"$out.tmp\" \"$out\"\n");
    const auto config = folder / "A 1200 \"Pal\".uae";
    const auto quoteFree = folder / "A 1200 (Pal).uae";
    WriteFile(quoteFree, "use_gui=no\r\n");

    LauncherSettings settings;
    settings.WinUAEName = emulator.string();
    settings.WinUAECommandLinePass = "-config=";
    settings.FloppyCountName = "nr_floppies";
    settings.FloppyName = {"floppy0", "floppy1", "floppy2", "floppy3"};
    settings.FloppyTypeName = {"None", "None", "None", "None"};
    settings.ConfigLocations[1] = quoteFree.string();
    PosixProcessStarter starter;
    test::FakeFileList files({"Lemmings A.adf", "Lemmings B.adf"});
    files.click(0);
    LaunchContext context{"/games/",
                          [] {
                              return MediaChoices{0, 0, false};
                          },
                          &settings, &starter, PathStyle::Posix};

    const LaunchOutcome outcome = RunLaunch(files, true, context);
    ASSERT_EQ(outcome.kind, LaunchOutcome::Kind::Started) << outcome.reason;
    EXPECT_GT(outcome.pid, 0);
    // Detached: the launcher has no child left to wait for.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    ASSERT_TRUE(WaitForFile(record));
    EXPECT_EQ(ReadFile(record), "pid=" + std::to_string(outcome.pid) +
                                    "\ncwd=" + std::filesystem::current_path().string() +
                                    "\narg=-config=" + quoteFree.string() + "\n");
    const std::string handed = ReadFile(copy);
    EXPECT_EQ(handed, ReadFile(quoteFree));
    EXPECT_EQ(handed,
              "use_gui=no\r\n[Brackmoor]\r\nnr_floppies=4\r\nNone=0\r\n"
              "floppy0=/games/Lemmings A.adf\r\nfloppy1=/games/Lemmings B.adf\r\n"
              "floppy2=\r\nfloppy3=\r\n");

    // A configuration path the command line cannot carry is refused before anything starts.
    WriteFile(config, "use_gui=no\r\n");
    settings.ConfigLocations[1] = config.string();
    EXPECT_EQ(RunLaunch(files, true, context).kind, LaunchOutcome::Kind::StartRefused);
}

TEST(PosixProcessStarter, ReportsWhyTheSystemRefusedToRunTheProgram) {
    TempDir dir;
    PosixProcessStarter starter;
    int pid = -7;

    const auto notExecutable = dir.path() / "plain";
    WriteFile(notExecutable, "#!/bin/sh\n");
    ::chmod(notExecutable.c_str(), 0644);
    Result r = starter.start({notExecutable.string(), {}}, &pid);
    EXPECT_EQ(r.error(), "Permission denied");
    EXPECT_EQ(pid, -7);

    const auto wrongFormat = dir.path() / "garbage";
    MakeExecutable(wrongFormat, std::string("\x7f"
                                            "ELF\x01\x02 not really",
                                            16));
    EXPECT_EQ(starter.start({wrongFormat.string(), {}}, &pid).error(), "Exec format error");

    EXPECT_EQ(starter.start({(dir.path() / "missing").string(), {}}, &pid).error(),
              "No such file or directory");
    // Without a shell and without a search of PATH: a bare name is not looked up.
    EXPECT_EQ(starter.start({"sh", {"-c", "true"}}, &pid).error(), "No such file or directory");
    EXPECT_FALSE(starter.start({"", {}}, &pid).ok());
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace
}  // namespace brackmoor
