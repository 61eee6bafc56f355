#include "platform/profile_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <mutex>

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

// Reads and parses `file` unless the cache holds it unchanged. The stamp is taken before the
// read, so a change during the read is seen at the next call rather than hidden.
std::shared_ptr<const IniDocument> LoadResolved(const std::filesystem::path& file) {
    Stamp stamp;
    if (!StampOf(file, &stamp)) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(CacheMutex());
    auto& cache = Cache();
    const auto found = cache.find(file.native());
    if (found != cache.end() && found->second.stamp == stamp) {
        return found->second.document;
    }
    auto bytes = ReadWholeFile(file, nullptr);
    if (!bytes) {
        cache.erase(file.native());
        return nullptr;
    }
    auto document = std::make_shared<const IniDocument>(std::move(*bytes));
    cache[file.native()] = {stamp, document};
    return document;
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

bool ExistsAsGiven(const std::filesystem::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0;
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
    return LoadResolved(ResolveForReading(file));
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, const char* def, std::size_t size) {
    const auto document = LoadProfile(file);
    return ProfileGet(document.get(), section, key, def, size);
}

Result UpdateProfile(const std::filesystem::path& file,
                     const std::function<Result(IniDocument&)>& edit) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    FolderLock lock(folder);
    if (!lock.locked()) {
        return Result::Fail("cannot open the folder " + folder.string() + ": " + lock.error());
    }
    const std::filesystem::path target = ResolveIgnoringCase(file);
    std::string readError;
    auto bytes = ReadWholeFile(target, &readError);
    if (!bytes && !readError.empty()) {
        return Result::Fail(readError);
    }
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
