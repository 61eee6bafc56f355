#include "launch/emulator_process.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using Args = std::vector<std::string>;

TEST(SplitCommandLineArguments, FollowsTheWindowsRules) {
    const std::vector<std::pair<std::string, Args>> cases = {
        {"-config=\"/a b/x.uae\"", {"-config=/a b/x.uae"}},
        {"--base-dir=/x \"/a b/c.fs-uae\"", {"--base-dir=/x", "/a b/c.fs-uae"}},
        {"  a \t b  ", {"a", "b"}},
        {"", {}},
        {"a \"\" b", {"a", "", "b"}},
        {"x\"a b\"y\" c\"", {"xa by c"}},
        {"\"unterminated quote", {"unterminated quote"}},
        // Backslashes are literal unless they precede a quote: 2n give n and a grouping quote,
        // 2n+1 give n and a literal quote.
        {"C:\\Games\\WinUAE\\x.uae", {"C:\\Games\\WinUAE\\x.uae"}},
        {"a\\\\b", {"a\\\\b"}},
        {"\"C:\\a b\\\\\"", {"C:\\a b\\"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\\\"b c", {"a\\\"b", "c"}},
        {"\"a\"\"b\" c", {"a\"b", "c"}},  // "" inside quotes
    };
    for (const auto& [line, args] : cases) {
        EXPECT_EQ(SplitCommandLineArguments(line), args) << line;
    }
}

TEST(EmulatorRequest, QuotesTheConfigurationAfterThePassedText) {
    LauncherSettings settings;
    settings.WinUAEName = "C:\\Program Files\\WinUAE\\WinUAE.exe";
    settings.WinUAECommandLinePass = "-config=";
    const std::string config = "C:\\Games\\WinUAE\\Configurations\\My 1200.uae";
    EXPECT_EQ(ComposeCommandLine(settings, config),
              "C:\\Program Files\\WinUAE\\WinUAE.exe -config=\"" + config + "\"");
    ProcessRequest request;
    ASSERT_TRUE(EmulatorRequest(settings, config, &request).ok());
    EXPECT_EQ(request.program, settings.WinUAEName);  // as stored, blanks and all
    EXPECT_EQ(request.arguments, Args{"-config=" + config});

    settings.WinUAECommandLinePass = "--base-dir=/demo/fs-uae ";
    ASSERT_TRUE(EmulatorRequest(settings, "/demo/A500.fs-uae", &request).ok());
    EXPECT_EQ(request.arguments, (Args{"--base-dir=/demo/fs-uae", "/demo/A500.fs-uae"}));
    // A quote or a final backslash would hand the emulator another file.
    EXPECT_FALSE(EmulatorRequest(settings, "/demo/a\"b.fs-uae", &request).ok());
    EXPECT_FALSE(EmulatorRequest(settings, "/demo/odd\\", &request).ok());
}

TEST(PosixProcessStarter, RunsAStandInDetachedWithItsArgumentsAsGiven) {
    TempDir dir;
    const auto emulator = dir.path() / "My Emulator" / "stand in";
    const std::filesystem::path record = emulator.string() + ".txt";
    std::filesystem::create_directories(emulator.parent_path());
    WriteFile(emulator,
              "#!/bin/sh\n{ echo \"pid=$$\"; echo \"cwd=$(pwd)\"; printf 'arg=%s\\n' \"$@\"; } "
              "> \"$0.part\" && mv \"$0.part\" \"$0.txt\"\n");
    ::chmod(emulator.c_str(), 0755);

    PosixProcessStarter starter;
    int pid = 0;
    ASSERT_TRUE(
        starter.start({emulator.string(), {"-config=/a b/x.uae", "", "$HOME*"}}, &pid).ok());
    EXPECT_GT(pid, 0);
    // Detached, in the launcher's working folder: no child is left to wait for.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    for (int i = 0; i < 1000 && !std::filesystem::exists(record); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(ReadFile(record), "pid=" + std::to_string(pid) +
                                    "\ncwd=" + std::filesystem::current_path().string() +
                                    "\narg=-config=/a b/x.uae\narg=\narg=$HOME*\n");
}

TEST(PosixProcessStarter, ReportsWhyTheSystemRefusedToRunTheProgram) {
    TempDir dir;
    PosixProcessStarter starter;
    int pid = -7;
    const auto notExecutable = dir.path() / "plain";
    WriteFile(notExecutable, "#!/bin/sh\n");
    ::chmod(notExecutable.c_str(), 0644);
    EXPECT_EQ(starter.start({notExecutable.string(), {}}, &pid).error(), "Permission denied");
    EXPECT_EQ(pid, -7);
    EXPECT_EQ(starter.start({(dir.path() / "missing").string(), {}}, &pid).error(),
              "No such file or directory");
    // Without a shell and without a search of PATH: a bare name is not looked up.
    EXPECT_EQ(starter.start({"sh", {"-c", "true"}}, &pid).error(), "No such file or directory");
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_FALSE(ProgramExists(dir.path().string()));  // a folder is no program
}

}  // namespace
}  // namespace brackmoor
