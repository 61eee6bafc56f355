#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace brackmoor {

struct ReplaceOptions {
    // The new file gets the old one's access and modification times, as a re-saved screenshot
    // keeps its dates.
    bool keepTimes = false;
    // Only a new file is made: when `target` exists the call fails and the file stays as it
    // is, also when it appears while the new bytes are being written.
    bool createOnly = false;
};

// Replaces `target` with `bytes` so that a crash or a full disk leaves either the old file or
// the new one: the bytes go to a temporary file in the same folder, are flushed to disk and
// renamed over the target. An existing file keeps its permission bits; a read-only one is not
// replaced; a link is followed.
Result ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                             const ReplaceOptions& options = {});

// The whole content of `file`; nothing when it does not exist, and the reason in `error`
// when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::string* error);

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

// The text of an errno value, for reasons shown to the user.
std::string ErrnoText(int error);

}  // namespace brackmoor
