#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace brackmoor {

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(target) / ("." + target.filename().native() + "." + std::to_string(::getpid()) +
                               "." + std::to_string(++counter) + ".tmp");
}

Result WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Result::Fail(ErrnoText(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Result::Ok();
}

}  // namespace

std::string ErrnoText(int error) {
    return std::strerror(error);
}

Result ReplaceFileAtomically(const std::filesystem::path& requested, std::string_view bytes,
                             const ReplaceOptions& options) {
    std::filesystem::path target = requested;
    std::error_code ec;
    if (std::filesystem::is_symlink(requested, ec)) {
        target = std::filesystem::weakly_canonical(requested, ec);
        if (ec) {
            return Result::Fail(ec.message());
        }
    }

    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (options.createOnly && (existed || std::filesystem::is_symlink(requested, ec))) {
        return Result::Fail("the file exists already");
    }
    // A rename is allowed by the folder's permissions even over a file the user made
    // read-only; the file's own protection is honoured, as Windows does.
    if (existed && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
                    ::access(target.c_str(), W_OK) != 0)) {
        return Result::Fail("the file is read-only");
    }
    const std::filesystem::path temp = TemporaryNameFor(target);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Result::Fail(ErrnoText(errno));
    }
    Result result = WriteAll(fd, bytes);
    if (result && existed && ::fchmod(fd, old.st_mode & 07777) != 0) {
        result = Result::Fail(ErrnoText(errno));
    }
    const timespec times[2] = {old.st_atim, old.st_mtim};
    if (result && existed && options.keepTimes && ::futimens(fd, times) != 0) {
        result = Result::Fail(ErrnoText(errno));
    }
    if (result && ::fsync(fd) != 0) {
        result = Result::Fail(ErrnoText(errno));
    }
    if (::close(fd) != 0 && result) {
        result = Result::Fail(ErrnoText(errno));
    }
    if (result && options.createOnly) {
        // A hard link, unlike a rename, never takes the place of a file that is there. Where the
        // file system has no hard links (FAT), a rename after a last look has to do.
        if (::link(temp.c_str(), target.c_str()) != 0) {
            const int error = errno;
            if (error == EEXIST || ::lstat(target.c_str(), &old) == 0) {
                result = Result::Fail("the file exists already");
            } else if (error != EPERM && error != EOPNOTSUPP) {
                result = Result::Fail(ErrnoText(error));
            } else if (::rename(temp.c_str(), target.c_str()) == 0) {
                return result;
            } else {
                result = Result::Fail(ErrnoText(errno));
            }
        }
        ::unlink(temp.c_str());
        return result;
    }
    if (result && ::rename(temp.c_str(), target.c_str()) != 0) {
        result = Result::Fail(ErrnoText(errno));
    }
    if (!result) {
        ::unlink(temp.c_str());
    }
    return result;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::string* error) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && error != nullptr) {
            *error = ErrnoText(errno);
        }
        return std::nullopt;
    }
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            if (error != nullptr) {
                *error = ErrnoText(errno);
            }
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
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

}  // namespace brackmoor
