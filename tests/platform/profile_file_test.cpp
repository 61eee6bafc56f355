// The profile module on disk: a failed write, read-only files, the parse cache and letter-case
// matching of file names. Locking between processes, links, modes and crashes are checked in
// safe_save_test.cpp.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include "platform/file_lookup.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace brackmoor {
namespace {

namespace fs = std::filesystem;

TEST(ProfileFile, FailedAndRefusedWritesLeaveTheOldFileAndNoTemporary) {
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
    EXPECT_FALSE(result.error().empty());

    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(WriteProfileString(file, "LEMMINGS", "CF", "2").error(), "the file is read-only");
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

TEST(ProfileFile, AnUnchangedFileIsParsedOnceAndAChangedOneAgain) {
    TempDir dir;
    const auto file = dir.path() / "x.ini";
    WriteFile(file, "[S]\r\nk=1\r\n");
    ASSERT_NE(LoadProfile(file), nullptr);
    EXPECT_EQ(LoadProfile(file).get(), LoadProfile(file).get());

    // Same size, new time: an edit in place.
    WriteFile(file, "[S]\r\nk=2\r\n");
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "", 500), "2");

    // Same size and time, another file: a replacement by another program.
    const auto other = dir.path() / "other";
    WriteFile(other, "[S]\r\nk=3\r\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    fs::rename(other, file);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "", 500), "3");
    fs::remove(file);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "gone", 500), "gone");
}

TEST(ProfileFile, FileNamesMatchWithoutRegardToCase) {
    TempDir dir;
    WriteFile(dir.path() / "brackmoor.ini", "[Brackmoor]\r\nStartGameDir=/games\r\n");
    EXPECT_EQ(ReadProfileString(dir.path() / "Brackmoor.INI", "BRACKMOOR", "startgamedir", "", 500),
              "/games");
    ASSERT_TRUE(
        WriteProfileString(dir.path() / "Brackmoor.ini", "Brackmoor", "StartGameDir", "/x").ok());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(ReadFile(dir.path() / "brackmoor.ini"), "[Brackmoor]\r\nStartGameDir=/x\r\n");
    EXPECT_EQ(FindInFolderIgnoringCase(dir.path(), "SNAPS"), std::nullopt);
    fs::create_directory(dir.path() / "snaps");
    EXPECT_EQ(FindInFolderIgnoringCase(dir.path(), "Snaps"), dir.path() / "snaps");
}

}  // namespace
}  // namespace brackmoor
