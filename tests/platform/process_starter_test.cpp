#include "platform/process_starter.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "test_support.h"

namespace brackmoor {
namespace {

using Args = std::vector<std::string>;

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
    // Not handed to a shell when the system cannot run it.
    const auto noFormat = dir.path() / "no format";
    WriteFile(noFormat, "exit 0\n");
    ::chmod(noFormat.c_str(), 0755);
    EXPECT_EQ(starter.start({noFormat.string(), {}}, &pid).error(), "Exec format error");
    EXPECT_EQ(starter.start({(dir.path() / "missing").string(), {}}, &pid).error(),
              "No such file or directory");
    // Without a shell and without a search of PATH: a bare name is not looked up.
    EXPECT_EQ(starter.start({"sh", {"-c", "true"}}, &pid).error(), "No such file or directory");
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_FALSE(ProgramExists(dir.path().string()));  // a folder is no program
}

}  // namespace
}  // namespace brackmoor
