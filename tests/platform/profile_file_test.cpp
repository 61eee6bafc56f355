// The profile module on disk: atomic replacement, locking between processes, the parse cache
// and letter-case matching of file names.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::size_t EntriesIn(const std::filesystem::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

TEST(ProfileFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const auto file = dir.path() / "Game Settings.ini";
    const std::string old = "[LEMMINGS]\r\nCF=1\r\n";
    WriteFile(file, old);

    // A file-size limit makes the write of the new content fail half-way, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result result = WriteProfileString(file, "LEMMINGS", "Notes", std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error().empty());
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
    EXPECT_EQ(ReadProfileString(file, "LEMMINGS", "Notes", "none", 500), "none");
}

TEST(ProfileFile, PermissionsSurviveAReplacementAndReadOnlyFilesStay) {
    TempDir dir;
    const auto file = dir.path() / "a.uae";
    WriteFile(file, "floppy0=x\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(WriteProfileString(file, "Brackmoor", "floppy0", "y").ok());
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(file), "floppy0=x\n[Brackmoor]\nfloppy0=y\n");

    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(WriteProfileString(file, "Brackmoor", "floppy0", "z").error(),
              "the file is read-only");
    EXPECT_EQ(ReadFile(file), "floppy0=x\n[Brackmoor]\nfloppy0=y\n");
}

TEST(ProfileFile, TwoProcessesWritingDifferentSectionsLoseNothing) {
    TempDir dir;
    const auto file = dir.path() / "Game Settings.ini";
    constexpr int kWrites = 150;
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            for (int i = 0; i < kWrites; ++i) {
                const std::string section =
                    "GAME" + std::to_string(child) + "_" + std::to_string(i);
                if (!WriteProfileString(file, section, "CF", std::to_string(i)).ok()) {
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int child = 0; child < 2; ++child) {
        for (int i = 0; i < kWrites; ++i) {
            const std::string section = "GAME" + std::to_string(child) + "_" + std::to_string(i);
            EXPECT_EQ(ReadProfileString(file, section, "CF", "lost", 500), std::to_string(i));
        }
    }
}

TEST(ProfileFile, AFileChangedByHandIsSeenAtTheNextRead) {
    TempDir dir;
    const auto file = dir.path() / "x.ini";
    WriteFile(file, "[S]\r\nk=1\r\n");
    EXPECT_EQ(ReadProfileString(file, "S", "k", "", 500), "1");

    // Same size, new time: an edit in place.
    WriteFile(file, "[S]\r\nk=2\r\n");
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "", 500), "2");

    // Same size and time, another file: a replacement by another program.
    const auto other = dir.path() / "other";
    WriteFile(other, "[S]\r\nk=3\r\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    std::filesystem::rename(other, file);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "", 500), "3");

    std::filesystem::remove(file);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "gone", 500), "gone");
}

TEST(ProfileFile, AnUnchangedFileIsParsedOnce) {
    TempDir dir;
    const auto file = dir.path() / "x.ini";
    WriteFile(file, "[S]\r\nk=1\r\n");
    const auto first = LoadProfile(file);
    const auto second = LoadProfile(file);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first.get(), second.get());
}

TEST(ProfileFile, FileNamesMatchWithoutRegardToCase) {
    TempDir dir;
    WriteFile(dir.path() / "brackmoor.ini", "[Brackmoor]\r\nStartGameDir=/games\r\n");
    EXPECT_EQ(ReadProfileString(dir.path() / "Brackmoor.INI", "BRACKMOOR", "startgamedir", "", 500),
              "/games");
    ASSERT_TRUE(
        WriteProfileString(dir.path() / "Brackmoor.ini", "Brackmoor", "StartGameDir", "/x").ok());
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
    EXPECT_EQ(ReadFile(dir.path() / "brackmoor.ini"), "[Brackmoor]\r\nStartGameDir=/x\r\n");
    EXPECT_EQ(FindInFolderIgnoringCase(dir.path(), "SNAPS"), std::nullopt);
    std::filesystem::create_directory(dir.path() / "snaps");
    EXPECT_EQ(FindInFolderIgnoringCase(dir.path(), "Snaps"), dir.path() / "snaps");
}

}  // namespace
}  // namespace brackmoor
