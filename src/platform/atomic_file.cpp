#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

#include "platform/file_lookup.h"

namespace brackmoor {

namespace {

constexpr std::string_view kTemporaryTag = ".brackmoor-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr unsigned kNameAttempts = 100;
constexpr long kStaleSeconds = 600;
constexpr int kMaxLinkHops = 40;

// "." + the target's name (cut short) + the tag: every temporary name of the target starts so.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    // Room for the dot, the tag, a pid of up to ten digits, "-", an attempt of up to three
    // digits and the ending, within the 255 bytes a name may have.
    constexpr std::size_t kRoom =
        255 - 1 - kTemporaryTag.size() - 10 - 1 - 3 - kTemporaryEnd.size();
    std::string name = target.filename().native();
    if (name.size() > kRoom) {
        name.resize(kRoom);
    }
    return "." + name + std::string(kTemporaryTag);
}

bool AllDigits(std::string_view text) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The process id in a temporary name of the target ("<prefix><pid>-<attempt>.tmp").
std::optional<long> TemporaryOwner(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() + kTemporaryEnd.size() ||
        name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kTemporaryEnd.size()) != kTemporaryEnd) {
        return std::nullopt;
    }
    const std::string_view middle =
        name.substr(prefix.size(), name.size() - prefix.size() - kTemporaryEnd.size());
    const std::size_t dash = middle.find('-');
    if (dash == std::string_view::npos || !AllDigits(middle.substr(0, dash)) ||
        !AllDigits(middle.substr(dash + 1))) {
        return std::nullopt;
    }
    return std::stol(std::string(middle.substr(0, dash)));
}

// Removes the target's temporary files left by saves that cannot finish any more: their
// process is gone, or they are older than any save takes. Only regular files with exactly
// this program's temporary name for this target are touched.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder = FolderOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::string prefix = TemporaryPrefix(target);
    const std::time_t now = std::time(nullptr);
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        const auto owner = TemporaryOwner(name, prefix);
        struct stat st {};
        if (!owner || ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode)) {
            continue;
        }
        const bool gone =
            *owner > 0 && ::kill(static_cast<pid_t>(*owner), 0) != 0 && errno == ESRCH;
        if (gone || now - st.st_mtime > kStaleSeconds) {
            stale.emplace_back(name);
        }
    }
    for (const std::string& name : stale) {
        ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

bool MountedReadOnly(const std::filesystem::path& folder) {
    struct statvfs vfs {};
    return ::statvfs(folder.c_str(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY) != 0;
}

std::string ReadOnlyMountText(const std::filesystem::path& folder) {
    return "the file system holding " + folder.string() + " is mounted read-only";
}

std::string CreateFailureText(const std::filesystem::path& folder, int error) {
    if (error == EROFS) {
        return ReadOnlyMountText(folder);
    }
    return "cannot create a file in the folder " + folder.string() + ": " + ErrnoText(error);
}

std::string UserName(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return "number " + std::to_string(uid);
}

std::string GroupName(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->gr_name;
    }
    return "number " + std::to_string(gid);
}

// A save replaces the file by a new one, which belongs to whoever saves it. Handing another
// user's file to the saver would leave its owner unable to save it, so it is refused.
std::string OwnershipText(const struct stat& old, const struct stat& made) {
    if (old.st_uid != made.st_uid) {
        return "it belongs to user " + UserName(old.st_uid) +
               ", and saving it would take it from them; only its owner or an administrator "
               "can save it";
    }
    return "its group " + GroupName(old.st_gid) +
           " cannot be kept, and saving it would shut that group out; only a member of the "
           "group or an administrator can save it";
}

// The reason a write of the new content failed; a full disk names the file system.
std::string WriteFailureText(const std::filesystem::path& folder, int error) {
    if (error == ENOSPC) {
        return "the file system holding " + folder.string() + " is full";
    }
    if (error == EDQUOT) {
        return "the disk quota on the file system holding " + folder.string() + " is used up";
    }
    return ErrnoText(error);
}

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// A temporary file being written: closed, and removed when it has a name, unless handed over.
struct Temporary {
    int fd = -1;
    std::filesystem::path name;  // empty while the file is unnamed

    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (fd >= 0) {
            ::close(fd);
        }
        if (!name.empty()) {
            ::unlink(name.c_str());
        }
    }
};

Result CreateNamed(const std::filesystem::path& target, mode_t mode, Temporary& temp) {
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path name = TemporaryNameFor(target, ::getpid(), attempt);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            temp.fd = fd;
            temp.name = name;
            return Result::Ok();
        }
        if (errno != EEXIST) {
            return Result::Fail(CreateFailureText(FolderOf(target), errno));
        }
    }
    return Result::Fail("no free temporary name in the folder " + FolderOf(target).string());
}

// Gives the unnamed file a temporary name in the target's folder. `unsupported` is set where
// that cannot work here (no /proc), and the caller starts again with a named file.
Result NameUnnamed(const std::filesystem::path& target, Temporary& temp, bool* unsupported) {
    const std::string self = "/proc/self/fd/" + std::to_string(temp.fd);
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path name = TemporaryNameFor(target, ::getpid(), attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp.name = name;
            return Result::Ok();
        }
        if (errno == EEXIST) {
            continue;
        }
        if (errno == ENOENT && ::access("/proc/self/fd", F_OK) != 0) {
            *unsupported = true;
        }
        return Result::Fail(CreateFailureText(FolderOf(target), errno));
    }
    return Result::Fail("no free temporary name in the folder " + FolderOf(target).string());
}

// Owner and group first (a change of owner clears set-id bits), then the bytes, the
// permission bits and the times, all flushed to disk.
Result Fill(int fd, const std::filesystem::path& folder, std::string_view bytes,
            const struct stat* old, const ReplaceOptions& options) {
    if (old != nullptr) {
        struct stat made {};
        if (::fstat(fd, &made) != 0) {
            return Result::Fail(ErrnoText(errno));
        }
        if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
            ::fchown(fd, old->st_uid, old->st_gid) != 0) {
            return Result::Fail(errno == EPERM ? OwnershipText(*old, made) : ErrnoText(errno));
        }
    }
    const int writeError = WriteAll(fd, bytes);
    Result result =
        writeError == 0 ? Result::Ok() : Result::Fail(WriteFailureText(folder, writeError));
    if (result && old != nullptr && ::fchmod(fd, old->st_mode & 07777) != 0) {
        result = Result::Fail(ErrnoText(errno));
    }
    if (result && old != nullptr && options.keepTimes) {
        const timespec times[2] = {old->st_atim, old->st_mtim};
        if (::futimens(fd, times) != 0) {
            result = Result::Fail(ErrnoText(errno));
        }
    }
    if (result && ::fsync(fd) != 0) {
        result = Result::Fail(WriteFailureText(folder, errno));
    }
    return result;
}

bool UnnamedUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// One try at the replacement; `fallBack` is set when the unnamed file cannot be used here.
Result Attempt(const std::filesystem::path& target, std::string_view bytes, const struct stat* old,
               const ReplaceOptions& options, bool unnamed, bool* fallBack) {
    const std::filesystem::path folder = FolderOf(target);
    // Never more readable than the file it replaces, from the first byte on.
    const mode_t mode = old != nullptr ? (old->st_mode & 0777) : 0666;
    Temporary temp;
    if (unnamed) {
#ifdef O_TMPFILE
        temp.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (temp.fd < 0) {
            *fallBack = UnnamedUnsupported(errno);
            return Result::Fail(CreateFailureText(folder, errno));
        }
#else
        *fallBack = true;
        return Result::Fail("no unnamed files here");
#endif
    } else if (Result created = CreateNamed(target, mode, temp); !created) {
        return created;
    }
    if (Result filled = Fill(temp.fd, folder, bytes, old, options); !filled) {
        return filled;
    }
    if (temp.name.empty()) {
        if (Result named = NameUnnamed(target, temp, fallBack); !named) {
            return named;
        }
    }
    const int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0) {
        return Result::Fail(ErrnoText(errno));
    }
    if (::rename(temp.name.c_str(), target.c_str()) != 0) {
        return Result::Fail(errno == EROFS ? ReadOnlyMountText(folder) : ErrnoText(errno));
    }
    temp.name.clear();
    // The rename itself reaches the disk with the folder.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return Result::Ok();
}

Result ReplaceResolved(const std::filesystem::path& target, std::string_view bytes,
                       const ReplaceOptions& options) {
    const std::filesystem::path folder = FolderOf(target);
    struct stat old {};
    bool existed = false;
    if (::lstat(target.c_str(), &old) == 0) {
        existed = true;
        if (!S_ISREG(old.st_mode)) {
            return Result::Fail(NotAFileReason(old.st_mode));
        }
    } else if (errno != ENOENT) {
        return Result::Fail(ErrnoText(errno));
    }
    if (MountedReadOnly(folder)) {
        return Result::Fail(ReadOnlyMountText(folder));
    }
    // A rename is allowed by the folder's permissions even over a file the user made
    // read-only; the file's own protection is honoured, as Windows does.
    if (existed && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
                    ::access(target.c_str(), W_OK) != 0)) {
        return Result::Fail("the file is read-only");
    }
    RemoveStaleTemporaries(target);
    const struct stat* previous = existed ? &old : nullptr;
    bool fallBack = false;
    Result result = Attempt(target, bytes, previous, options, options.unnamedTemporary, &fallBack);
    if (!result && fallBack) {
        result = Attempt(target, bytes, previous, options, false, &fallBack);
    }
    return result;
}

}  // namespace

std::string ErrnoText(int error) {
    return std::strerror(error);
}

std::string NotAFileReason(mode_t mode) {
    if (S_ISREG(mode)) {
        return std::string();
    }
    if (S_ISDIR(mode)) {
        return "it is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "it is a named pipe, not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device, not a file";
    }
    if (S_ISSOCK(mode)) {
        return "it is a socket, not a file";
    }
    return "it is not a regular file";
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target, pid_t pid,
                                       unsigned attempt) {
    return FolderOf(target) / (TemporaryPrefix(target) + std::to_string(pid) + "-" +
                               std::to_string(attempt) + std::string(kTemporaryEnd));
}

std::optional<std::filesystem::path> ResolveLinks(const std::filesystem::path& path,
                                                  std::string* why) {
    std::filesystem::path current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno == ENOENT) {
                return current;  // a new file, or the file a dangling link names
            }
            if (why != nullptr) {
                *why =
                    (current == path ? std::string() : current.string() + ": ") + ErrnoText(errno);
            }
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) {
            return current;
        }
        std::error_code ec;
        const std::filesystem::path to = std::filesystem::read_symlink(current, ec);
        if (ec) {
            if (why != nullptr) {
                *why = "the link " + current.string() + " cannot be read: " + ec.message();
            }
            return std::nullopt;
        }
        current = to.is_absolute() ? to : FolderOf(current) / to;
    }
    if (why != nullptr) {
        *why = "the link " + path.string() + " leads round in a loop";
    }
    return std::nullopt;
}

Result ReplaceFileAtomically(const std::filesystem::path& requested, std::string_view bytes,
                             const ReplaceOptions& options) {
    std::string why;
    const auto target = ResolveLinks(requested, &why);
    if (!target) {
        return Result::Fail(why);
    }
    Result result = ReplaceResolved(*target, bytes, options);
    if (!result && *target != requested) {
        return Result::Fail(result.error() + " (the link leads to " + target->string() + ")");
    }
    return result;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::string* error,
                                         std::uint64_t maxBytes) {
    auto fail = [&](std::string why) -> std::optional<std::string> {
        if (error != nullptr) {
            *error = std::move(why);
        }
        return std::nullopt;
    };
    // Not blocking: a named pipe in the file's place must not stop the program until some
    // other program writes into it.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? std::nullopt : fail(ErrnoText(errno));
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return fail(ErrnoText(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        return fail(NotAFileReason(st.st_mode));
    }
    const std::string tooLarge =
        "it is larger than " + std::to_string(maxBytes >> 20) + " MiB, the most the program reads";
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        return fail(tooLarge);
    }
    try {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        std::vector<char> buffer(65536);
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return fail(ErrnoText(errno));
            }
            if (got == 0) {
                return bytes;
            }
            if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
                return fail(tooLarge);  // it grew while being read
            }
            bytes.append(buffer.data(), static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        return fail("there is not enough memory to read it");
    }
}

FolderLock::FolderLock(const std::filesystem::path& folder) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = ErrnoText(errno);
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error_ = ErrnoText(errno);
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // closing releases the lock
    }
}

Result CreateNewFile(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Result::Fail(errno == EEXIST ? std::string("the file exists already")
                                            : ErrnoText(errno));
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(file.c_str());
        return Result::Fail(ErrnoText(error));
    }
    return Result::Ok();
}

}  // namespace brackmoor
