#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace brackmoor {

// The largest file read whole as settings, a record, a configuration or a screenshot: 32 MiB.
// A real one is a few hundred KB at most; anything far beyond is a mistake (a sparse file, a
// link to a device) and reading it would only exhaust the memory.
inline constexpr std::uint64_t kMaxWholeFileBytes = std::uint64_t{32} << 20;

struct ReplaceOptions {
    // The new file gets the old one's access and modification times, as a re-saved screenshot
    // keeps its dates.
    bool keepTimes = false;
    // The content is written into an unnamed file (O_TMPFILE) that gets a name only for the
    // instant before the rename, so a crash while writing leaves nothing behind. Where the file
    // system has no unnamed files a named temporary file is used from the start; false takes
    // that path everywhere (tests cover it so).
    bool unnamedTemporary = true;
};

// Replaces `target` with `bytes` so that a crash or a full disk leaves either the old file or
// the new one: the bytes go to a temporary file in the same folder, are flushed to disk and
// renamed over the target.
// - A symbolic link is followed to the file it names, which is replaced; the link stays a
//   link. A dangling link creates the file it names. A link loop is refused.
// - Only a regular file is replaced; a folder, a pipe or a device is refused.
// - The temporary file is created with the target's permission bits (never more readable),
//   and the new file keeps the old one's owner, group and permission bits. Where the owner or
//   group cannot be kept (another user's file), the save is refused and says so.
// - A read-only file is not replaced; a read-only mount is reported as such.
// - Leftover temporary files of this target from crashed saves are removed first (see
//   TemporaryNameFor), and a temporary name that is taken is skipped.
// The reason of a failure names the real file or folder when it is not `target` itself.
Result ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                             const ReplaceOptions& options = {});

// `path` with symbolic links in its last component followed to the entry a write must
// replace: that entry itself when it is no link, the named path when a link dangles. Nothing,
// and the reason in `why`, for a link loop or a link that cannot be read.
std::optional<std::filesystem::path> ResolveLinks(const std::filesystem::path& path,
                                                  std::string* why);

// The whole content of `file`; nothing when it does not exist, and the reason in `error`
// when it exists but cannot be read: not a regular file (a pipe is never waited on), larger
// than `maxBytes`, an I/O error, or not enough memory.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::string* error,
                                         std::uint64_t maxBytes = kMaxWholeFileBytes);

// The reason a file of this kind (from st_mode) cannot be used as a file: "it is a folder",
// "it is a named pipe" ...; empty for a regular file.
std::string NotAFileReason(mode_t mode);

// The name of the temporary file a save of `target` by process `pid` uses at its attempt
// `attempt`: ".<name>.brackmoor-<pid>-<attempt>.tmp" in the target's folder, the name cut
// short so the whole stays within 255 bytes. A later save of the same target removes such
// names when their process is gone or they are older than ten minutes; no other name is ever
// removed.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target, pid_t pid,
                                       unsigned attempt);

// Holds an exclusive lock on a folder for a read-modify-write of a file in it, so that two
// running copies of the program never lose each other's changes. Released on destruction.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
};

// Makes a new file holding `bytes`; never replaces one that is there (a link included): the
// call then fails with "the file exists already". A failed write leaves no file.
Result CreateNewFile(const std::filesystem::path& file, std::string_view bytes);

// The text of an errno value, for reasons shown to the user.
std::string ErrnoText(int error);

}  // namespace brackmoor
