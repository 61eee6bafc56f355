// Saving where a collector's machine goes wrong: links, special files, other users' files,
// crashes while writing, files far too large, read-only mounts.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace brackmoor {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::size_t EntriesIn(const fs::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

mode_t ModeOf(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(::lstat(file.c_str(), &st), 0) << file;
    return st.st_mode;
}

// Runs `body` in a child process and returns its exit status (or the signal, negated).
template <typename Body>
int InChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(SafeSave, TwoProcessesThroughLinksInTwoFoldersLoseNothing) {
    TempDir dir;
    fs::create_directories(dir.path() / "real");
    fs::create_directories(dir.path() / "a");
    fs::create_directories(dir.path() / "b");
    const fs::path real = dir.path() / "real" / "Game Settings.ini";
    WriteFile(real, "[Brackmoor]\r\n");
    fs::create_symlink(real, dir.path() / "a" / "Game Settings.ini");
    fs::create_symlink("../real/Game Settings.ini", dir.path() / "b" / "Game Settings.ini");

    constexpr int kKeys = 150;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        if (children[c] == 0) {
            const fs::path link = dir.path() / (c == 0 ? "a" : "b") / "Game Settings.ini";
            for (int i = 0; i < kKeys; ++i) {
                const std::string key = "K" + std::to_string(c) + "_" + std::to_string(i);
                if (!WriteProfileString(link, "Brackmoor", key, std::to_string(i)).ok()) {
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int lost = 0;
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < kKeys; ++i) {
            const std::string key = "K" + std::to_string(c) + "_" + std::to_string(i);
            lost += ReadProfileString(real, "Brackmoor", key, "", 100) != std::to_string(i);
        }
    }
    EXPECT_EQ(lost, 0);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.path() / "a" / "Game Settings.ini")));
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.path() / "b" / "Game Settings.ini")));
    EXPECT_EQ(EntriesIn(dir.path() / "a"), 1u);
    EXPECT_EQ(EntriesIn(dir.path() / "real"), 1u);
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
        const int status = InChild([&] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            const rlimit small{200000, 200000};
            ::setrlimit(RLIMIT_FSIZE, &small);
            ReplaceOptions named;
            named.unnamedTemporary = false;
            return ReplaceFileAtomically(file, std::string(1 << 20, 'x'), named).ok() ? 0 : 1;
        });
        EXPECT_EQ(status, -SIGXFSZ);
    }
    ::umask(umask);
    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path() != file && entry.path().filename() != ".Game Settings.ini.tmp") {
            ++leftovers;
            EXPECT_EQ(ModeOf(entry.path()) & 07777, 0640u) << entry.path();
        }
    }
    EXPECT_EQ(leftovers, 1);  // each save removed the leftover of the one killed before
    EXPECT_EQ(ReadFile(file), "[A]\r\nk=1\r\n");

    ASSERT_TRUE(WriteProfileString(file, "A", "k", "2").ok());
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
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
        ReplaceOptions options;
        options.unnamedTemporary = unnamed;
        ASSERT_TRUE(ReplaceFileAtomically(file, "new", options).ok()) << unnamed;
        EXPECT_EQ(ReadFile(file), "new");
        EXPECT_EQ(ReadFile(TemporaryNameFor(file, ::getpid(), 0)), "busy");
        EXPECT_EQ(EntriesIn(dir.path()), 4u);
    }
    // A 255-byte name still gets a temporary name the file system takes.
    TempDir dir;
    const fs::path longName = dir.path() / std::string(255, 'n');
    ASSERT_TRUE(ReplaceFileAtomically(longName, "a").ok());
    ReplaceOptions named;
    named.unnamedTemporary = false;
    ASSERT_TRUE(ReplaceFileAtomically(longName, "b", named).ok());
    EXPECT_EQ(ReadFile(longName), "b");
}

TEST(SafeSave, OnlyRegularFilesAreReadOrWritten) {
    TempDir dir;
    const fs::path fifo = dir.path() / "Game Settings.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path folder = dir.path() / "Brackmoor.ini";
    fs::create_directory(folder);
    const fs::path zero = dir.path() / "zero.ini";
    fs::create_symlink("/dev/zero", zero);

    // Everything below must answer at once; a pipe that is waited on would hang here.
    ::alarm(20);
    for (const fs::path& file : {fifo, folder, zero}) {
        std::string why;
        EXPECT_EQ(LoadProfile(file, &why), nullptr) << file;
        EXPECT_NE(why.find("not a file"), std::string::npos) << why;
        EXPECT_EQ(ReadProfileString(file, "S", "k", "def", 100), "def");
        const Result written = WriteProfileString(file, "S", "k", "v");
        EXPECT_NE(written.error().find("not a file"), std::string::npos) << written.error();
        std::string error;
        EXPECT_FALSE(ReadWholeFile(file, &error));
        EXPECT_FALSE(error.empty());
    }
    ::alarm(0);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_TRUE(S_ISDIR(ModeOf(folder)));
    EXPECT_TRUE(S_ISLNK(ModeOf(zero)));
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/zero")));
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
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, off_t{8} << 30);

    why = "stale";
    EXPECT_EQ(LoadProfile(dir.path() / "none.ini", &why), nullptr);
    EXPECT_EQ(why, "");
}

class AsRoot : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root to own files as another user";
        }
    }
};

TEST_F(AsRoot, OwnerAndGroupAreKeptOrTheSaveIsRefused) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const fs::path users = dir.path() / "users.ini";
    WriteFile(users, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chown(users.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(users.c_str(), 0664), 0);
    ASSERT_TRUE(WriteProfileString(users, "S", "k", "2").ok());
    struct stat st {};
    ASSERT_EQ(::stat(users.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0664u);

    // Another user may write into root's file, but a save would take the file from root.
    const fs::path roots = dir.path() / "roots.ini";
    WriteFile(roots, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
    const int status = InChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            return 9;
        }
        const Result r = WriteProfileString(roots, "S", "k", "2");
        return !r.ok() && r.error().find("belongs to user root") != std::string::npos ? 0 : 1;
    });
    if (status == 9) {
        GTEST_SKIP() << "cannot become another user here";
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(roots), "[S]\r\nk=1\r\n");
    ASSERT_EQ(::stat(roots.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
}

TEST_F(AsRoot, AReadOnlyMountIsNamedAsSuch) {
    TempDir dir;
    const fs::path mount = dir.path() / "mnt";
    fs::create_directory(mount);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount here: " << ErrnoText(errno);
    }
    struct Unmount {
        const fs::path& at;
        ~Unmount() { ::umount(at.c_str()); }
    } unmount{mount};
    const fs::path file = mount / "Brackmoor.ini";
    WriteFile(file, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::mount(nullptr, mount.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const Result saved = WriteProfileString(file, "S", "k", "2");
    const Result created = WriteProfileString(mount / "new.ini", "S", "k", "2");
    EXPECT_NE(saved.error().find("mounted read-only"), std::string::npos) << saved.error();
    EXPECT_NE(created.error().find("mounted read-only"), std::string::npos) << created.error();
}

}  // namespace
}  // namespace brackmoor
