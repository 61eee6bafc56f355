#include "platform/profile_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <new>
#include <optional>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"

namespace brackmoor {

namespace {

struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeSeconds = 0;
    long long mtimeNanoseconds = 0;

    bool operator==(const Stamp& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               mtimeSeconds == o.mtimeSeconds && mtimeNanoseconds == o.mtimeNanoseconds;
    }
};

bool StampOf(const std::filesystem::path& file, Stamp* stamp) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    *stamp = {st.st_dev, st.st_ino, st.st_size, static_cast<long long>(st.st_mtim.tv_sec),
              static_cast<long long>(st.st_mtim.tv_nsec)};
    return true;
}

struct CacheEntry {
    Stamp stamp;
    std::shared_ptr<const IniDocument> document;
};

std::mutex& CacheMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, CacheEntry>& Cache() {
    static std::map<std::string, CacheEntry> cache;
    return cache;
}

void SetWhy(std::string* why, std::string text) {
    if (why != nullptr) {
        *why = std::move(text);
    }
}

// Reads and parses `file` unless the cache holds it unchanged. The stamp is taken before the
// read, so a change during the read is seen at the next call rather than hidden.
std::shared_ptr<const IniDocument> LoadResolved(const std::filesystem::path& file,
                                                std::string* why) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            SetWhy(why, ErrnoText(errno));
        }
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        SetWhy(why, NotAFileReason(st.st_mode));
        return nullptr;
    }
    const Stamp stamp{st.st_dev, st.st_ino, st.st_size, static_cast<long long>(st.st_mtim.tv_sec),
                      static_cast<long long>(st.st_mtim.tv_nsec)};
    std::lock_guard<std::mutex> guard(CacheMutex());
    auto& cache = Cache();
    const auto found = cache.find(file.native());
    if (found != cache.end() && found->second.stamp == stamp) {
        return found->second.document;
    }
    cache.erase(file.native());
    std::string error;
    auto bytes = ReadWholeFile(file, &error);
    if (!bytes) {
        SetWhy(why, error);
        return nullptr;
    }
    try {
        auto document = std::make_shared<const IniDocument>(std::move(*bytes));
        document->index();
        cache[file.native()] = {stamp, document};
        return document;
    } catch (const std::bad_alloc&) {
        SetWhy(why, "there is not enough memory to read it");
        return nullptr;
    }
}

void Remember(const std::filesystem::path& file, std::shared_ptr<const IniDocument> document) {
    Stamp stamp;
    std::lock_guard<std::mutex> guard(CacheMutex());
    if (StampOf(file, &stamp)) {
        Cache()[file.native()] = {stamp, std::move(document)};
    } else {
        Cache().erase(file.native());
    }
}

// A name that differs from the file on disk only in letter case ("Brackmoor.ini" for
// "Brackmoor.INI") would need a look through its folder at every read; the answer is kept
// for as long as that file is still there.
std::filesystem::path ResolveForReading(const std::filesystem::path& file) {
    if (ExistsAsGiven(file)) {
        return file;
    }
    static std::map<std::string, std::filesystem::path> resolved;
    std::lock_guard<std::mutex> guard(CacheMutex());
    const auto known = resolved.find(file.native());
    if (known != resolved.end() && ExistsAsGiven(known->second)) {
        return known->second;
    }
    std::filesystem::path found = ResolveIgnoringCase(file);
    resolved[file.native()] = found;
    return found;
}

}  // namespace

std::shared_ptr<const IniDocument> LoadProfile(const std::filesystem::path& file) {
    return LoadResolved(ResolveForReading(file), nullptr);
}

std::shared_ptr<const IniDocument> LoadProfile(const std::filesystem::path& file,
                                               std::string* why) {
    SetWhy(why, std::string());
    return LoadResolved(ResolveForReading(file), why);
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, const char* def, std::size_t size) {
    const auto document = LoadProfile(file);
    return ProfileGet(document.get(), section, key, def, size);
}

namespace {

// The read-modify-write itself, under the lock of `target`'s folder.
Result UpdateLocked(const std::filesystem::path& target,
                    const std::function<Result(IniDocument&)>& edit) {
    std::string readError;
    auto bytes = ReadWholeFile(target, &readError);
    if (!bytes && !readError.empty()) {
        return Result::Fail(readError);
    }
    try {
        auto document = std::make_shared<IniDocument>(bytes ? std::move(*bytes) : std::string());
        const std::string before = document->bytes();
        Result edited = edit(*document);
        if (!edited) {
            return edited;
        }
        if (bytes && document->bytes() == before) {
            return Result::Ok();
        }
        Result written = ReplaceFileAtomically(target, document->bytes());
        if (written) {
            Remember(target, std::move(document));
        }
        return written;
    } catch (const std::bad_alloc&) {
        return Result::Fail("there is not enough memory to change it");
    }
}

}  // namespace

Result UpdateProfile(const std::filesystem::path& file,
                     const std::function<Result(IniDocument&)>& edit) {
    // The lock is taken in the folder the file really lives in, where the rename happens, so
    // copies that reach the file by different names or links still take turns.
    std::string why;
    std::optional<std::filesystem::path> target = ResolveLinks(ResolveIgnoringCase(file), &why);
    for (int attempt = 0; target; ++attempt) {
        const std::filesystem::path folder = FolderOf(*target);
        FolderLock lock(folder);
        if (!lock.locked()) {
            return Result::Fail("cannot open the folder " + folder.string() + ": " + lock.error());
        }
        // Looked up again under the lock: another copy may have created the file in another
        // letter case meanwhile, or a link may have been changed.
        const std::filesystem::path named = ResolveIgnoringCase(file);
        const auto now = ResolveLinks(named, &why);
        if (!now) {
            break;
        }
        if (FolderOf(*now) != folder && attempt < 8) {
            target = now;
            continue;
        }
        if (FolderOf(*now) != folder) {
            return Result::Fail("the links to it keep changing");
        }
        Result result = UpdateLocked(*now, edit);
        if (!result && *now != named) {
            return Result::Fail(result.error() + " (the link leads to " + now->string() + ")");
        }
        return result;
    }
    return Result::Fail(why);
}

Result WriteProfileString(const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view value) {
    return UpdateProfile(file,
                         [&](IniDocument& document) { return document.set(section, key, value); });
}

void ClearProfileCache() {
    std::lock_guard<std::mutex> guard(CacheMutex());
    Cache().clear();
}

}  // namespace brackmoor
