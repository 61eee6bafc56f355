// Saving where a collector's machine goes wrong: links, special files, other users' files,
// crashes while writing, files far too large, read-only mounts. One test per way it goes wrong.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include "platform/atomic_file.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace brackmoor {
namespace {

namespace fs = std::filesystem;

long EntriesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

mode_t ModeOf(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(::lstat(file.c_str(), &st), 0) << file;
    return st.st_mode;
}

// Starts `body` in a child process; Wait gives its exit status (or the signal, negated).
template <typename Body>
pid_t Spawn(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    return child;
}
int Wait(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

ReplaceOptions Named() {
    ReplaceOptions named;
    named.unnamedTemporary = false;
    return named;
}

TEST(SafeSave, TwoProcessesThroughLinksInTwoFoldersLoseNothing) {
    TempDir dir;
    for (const char* sub : {"real", "a", "b"}) {
        fs::create_directories(dir.path() / sub);
    }
    const fs::path real = dir.path() / "real" / "Game Settings.ini";
    WriteFile(real, "[Brackmoor]\r\n");
    fs::create_symlink(real, dir.path() / "a" / "Game Settings.ini");
    fs::create_symlink("../real/Game Settings.ini", dir.path() / "b" / "Game Settings.ini");
    // This process writes through one link while a child writes through the other.
    const auto writeAll = [&](const char* via) {
        int failed = 0;
        for (int i = 0; i < 150; ++i) {
            failed += !WriteProfileString(dir.path() / via / "Game Settings.ini", "Brackmoor",
                                          via + std::to_string(i), "1")
                           .ok();
        }
        return failed;
    };
    const pid_t child = Spawn([&] { return writeAll("b"); });
    EXPECT_EQ(writeAll("a") + Wait(child), 0);
    int lost = 0;
    for (int i = 0; i < 150; ++i) {
        for (const char* via : {"a", "b"}) {
            lost += ReadProfileString(real, "Brackmoor", via + std::to_string(i), "", 9) != "1";
        }
    }
    EXPECT_EQ(lost, 0);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.path() / "a" / "Game Settings.ini")));
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.path() / "b" / "Game Settings.ini")));
    EXPECT_EQ(EntriesIn(dir.path() / "a") + EntriesIn(dir.path() / "real"), 2);
}

TEST(SafeSave, ADanglingLinkCreatesItsTargetAndStaysALink) {
    TempDir dir;
    fs::create_directories(dir.path() / "store");
    const fs::path link = dir.path() / "Brackmoor.ini";
    fs::create_symlink("store/settings.ini", link);
    ASSERT_TRUE(WriteProfileString(link, "Brackmoor", "Key", "1").ok());
    EXPECT_TRUE(S_ISLNK(ModeOf(link)));
    EXPECT_EQ(ReadFile(dir.path() / "store" / "settings.ini"), "[Brackmoor]\r\nKey=1\r\n");

    // A loop is refused with a reason naming the link.
    fs::create_symlink("loop2", dir.path() / "loop1");
    fs::create_symlink("loop1", dir.path() / "loop2");
    const Result looped = ReplaceFileAtomically(dir.path() / "loop1", "x");
    EXPECT_NE(looped.error().find("loop1"), std::string::npos) << looped.error();
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.path() / "loop1")));
}

// A writer killed while writing (here by the file-size limit's signal) leaves its temporary
// file: that file must never have been more readable than the target, and the next save
// removes it; names that are not the program's own stay.
TEST(SafeSave, ACrashLeavesNothingReadableAndNothingThatStays) {
    TempDir dir;
    const fs::path file = dir.path() / "Game Settings.ini";
    WriteFile(file, "[A]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    WriteFile(dir.path() / ".Game Settings.ini.tmp", "someone else's");
    const mode_t umask = ::umask(0);
    for (int kill = 0; kill < 3; ++kill) {
        EXPECT_EQ(Wait(Spawn([&] {
                      std::signal(SIGXFSZ, SIG_DFL);
                      const rlimit noCore{0, 0}, small{200000, 200000};
                      ::setrlimit(RLIMIT_CORE, &noCore);
                      ::setrlimit(RLIMIT_FSIZE, &small);
                      return ReplaceFileAtomically(file, std::string(1 << 20, 'x'), Named()).ok();
                  })),
                  -SIGXFSZ);
    }
    ::umask(umask);
    EXPECT_EQ(EntriesIn(dir.path()), 3);  // each save removed the leftover of the one before
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path().filename() != ".Game Settings.ini.tmp") {
            EXPECT_EQ(ModeOf(entry.path()) & 07777, 0640u) << entry.path();
        }
    }
    EXPECT_EQ(ReadFile(file), "[A]\r\nk=1\r\n");
    ASSERT_TRUE(WriteProfileString(file, "A", "k", "2").ok());
    EXPECT_EQ(EntriesIn(dir.path()), 2);
    EXPECT_EQ(ModeOf(file) & 07777, 0640u);
}

TEST(SafeSave, ATakenTemporaryNameIsSkipped) {
    for (const bool unnamed : {true, false}) {
        TempDir dir;
        const fs::path file = dir.path() / "x.ini";
        // Taken by a process that is still running (this one), so not stale.
        for (unsigned attempt = 0; attempt < 3; ++attempt) {
            WriteFile(TemporaryNameFor(file, ::getpid(), attempt), "busy");
        }
        ASSERT_TRUE(ReplaceFileAtomically(file, "new", unnamed ? ReplaceOptions{} : Named()).ok());
        EXPECT_EQ(ReadFile(file), "new");
        EXPECT_EQ(ReadFile(TemporaryNameFor(file, ::getpid(), 0)), "busy");
        EXPECT_EQ(EntriesIn(dir.path()), 4);
    }
    // A 255-byte name still gets a temporary name the file system takes.
    TempDir dir;
    const fs::path longName = dir.path() / std::string(255, 'n');
    ASSERT_TRUE(ReplaceFileAtomically(longName, "a").ok());
    ASSERT_TRUE(ReplaceFileAtomically(longName, "b", Named()).ok());
    EXPECT_EQ(ReadFile(longName), "b");
}

TEST(SafeSave, OnlyRegularFilesAreReadOrWritten) {
    TempDir dir;
    const fs::path fifo = dir.path() / "Game Settings.ini", folder = dir.path() / "Brackmoor.ini",
                   zero = dir.path() / "zero.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(folder);
    fs::create_symlink("/dev/zero", zero);
    ::alarm(20);  // everything below must answer at once; a pipe waited on would hang here
    for (const fs::path& file : {fifo, folder, zero}) {
        std::string why, error;
        EXPECT_EQ(LoadProfile(file, &why), nullptr) << file;
        EXPECT_NE(why.find("not a file"), std::string::npos) << why;
        EXPECT_EQ(ReadProfileString(file, "S", "k", "def", 100), "def");
        const Result written = WriteProfileString(file, "S", "k", "v");
        EXPECT_NE(written.error().find("not a file"), std::string::npos) << written.error();
        EXPECT_FALSE(ReadWholeFile(file, &error));
        EXPECT_FALSE(error.empty());
    }
    ::alarm(0);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)) && S_ISDIR(ModeOf(folder)) && S_ISLNK(ModeOf(zero)));
}

TEST(SafeSave, AHugeFileIsRefusedNotReadAndAMissingOneIsNoError) {
    TempDir dir;
    const fs::path file = dir.path() / "Brackmoor.INI";
    WriteFile(file, "[Brackmoor]\r\nStartGameDir=/games\r\n");
    ASSERT_EQ(::truncate(file.c_str(), off_t{8} << 30), 0);  // sparse: takes no room
    std::string why;
    EXPECT_EQ(LoadProfile(file, &why), nullptr);
    EXPECT_NE(why.find("32 MiB"), std::string::npos) << why;
    EXPECT_EQ(ReadProfileString(file, "Brackmoor", "StartGameDir", "None", 500), "None");
    EXPECT_FALSE(WriteProfileString(file, "Brackmoor", "StartGameDir", "/x").ok());
    EXPECT_EQ(fs::file_size(file), std::uintmax_t{8} << 30);

    why = "stale";
    EXPECT_EQ(LoadProfile(dir.path() / "none.ini", &why), nullptr);
    EXPECT_EQ(why, "");
}

TEST(SafeSave, OwnerAndGroupAreKeptOrTheSaveIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to own files as another user";
    }
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const fs::path users = dir.path() / "users.ini", roots = dir.path() / "roots.ini";
    WriteFile(users, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chown(users.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(users.c_str(), 0664), 0);
    ASSERT_TRUE(WriteProfileString(users, "S", "k", "2").ok());
    struct stat st {};
    ASSERT_EQ(::stat(users.c_str(), &st), 0);
    EXPECT_TRUE(st.st_uid == 65534u && st.st_gid == 65534u && (st.st_mode & 07777) == 0664u);

    // Another user may write into root's file, but a save would take the file from root.
    WriteFile(roots, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
    const int status = Wait(Spawn([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            return 9;
        }
        const Result r = WriteProfileString(roots, "S", "k", "2");
        return !r.ok() && r.error().find("belongs to user root") != std::string::npos ? 0 : 1;
    }));
    if (status == 9) {
        GTEST_SKIP() << "cannot become another user here";
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(roots), "[S]\r\nk=1\r\n");
    ASSERT_EQ(::stat(roots.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
}

TEST(SafeSave, AReadOnlyMountIsNamedAsSuch) {
    TempDir dir;
    const fs::path mount = dir.path() / "mnt";
    fs::create_directory(mount);
    if (::geteuid() != 0 || ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount here";
    }
    struct Unmount {
        const fs::path& at;
        ~Unmount() { ::umount(at.c_str()); }
    } unmount{mount};
    WriteFile(mount / "Brackmoor.ini", "[S]\r\nk=1\r\n");
    ASSERT_EQ(::mount(nullptr, mount.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    for (const char* name : {"Brackmoor.ini", "new.ini"}) {  // an existing file and a new one
        const Result saved = WriteProfileString(mount / name, "S", "k", "2");
        EXPECT_NE(saved.error().find("mounted read-only"), std::string::npos) << saved.error();
    }
}

}  // namespace
}  // namespace brackmoor
