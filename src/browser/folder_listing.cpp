#include "browser/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <unordered_map>

#include "browser/natural_order.h"
#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/ini_document.h"

namespace brackmoor {

namespace {

bool IsFolder(const std::filesystem::path& folder, const dirent* entry) {
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat st {};
    return ::stat((folder / entry->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The names in "Snaps", by their folded form, kept while the folder's time stays the same:
// the lookup runs on every click in the file list, and a folder of thousands of screenshots
// must not be read each time.
//
// A folder's time is only as fine as its file system keeps it (two seconds on FAT, a clock
// tick elsewhere), so a screenshot saved soon after the folder was read can leave the time as
// it was. The index is therefore trusted only when the folder had not changed for a while
// before it was read; until then every lookup reads the folder again.
struct SnapsIndex {
    std::string folder;
    long long seconds = -1;
    long long nanoseconds = -1;
    bool settled = false;
    std::unordered_map<std::string, std::string> byFoldedName;
};

// Longer than the coarsest time a file system keeps (FAT's two seconds).
constexpr long long kSettleSeconds = 3;

const SnapsIndex* IndexSnaps(const std::filesystem::path& snaps) {
    static SnapsIndex index;
    struct stat st {};
    if (::stat(snaps.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return nullptr;
    }
    if (index.settled && index.folder == snaps.native() && index.seconds == st.st_mtim.tv_sec &&
        index.nanoseconds == st.st_mtim.tv_nsec) {
        return &index;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const bool settled = now.tv_sec - st.st_mtim.tv_sec > kSettleSeconds;
    index = SnapsIndex{snaps.native(), st.st_mtim.tv_sec, st.st_mtim.tv_nsec, settled, {}};
    if (DIR* dir = ::opendir(snaps.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            index.byFoldedName.emplace(FoldAsciiCase(entry->d_name), entry->d_name);
        }
        ::closedir(dir);
    }
    return &index;
}

}  // namespace

Result ListFolder(const std::filesystem::path& folder, FolderContents* contents) {
    contents->folders.clear();
    contents->files.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return Result::Fail(folder.string() + ": " + ErrnoText(errno));
    }
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            error = errno;
            break;
        }
        if (entry->d_name[0] == '.') {
            continue;
        }
        (IsFolder(folder, entry) ? contents->folders : contents->files).emplace_back(entry->d_name);
    }
    ::closedir(dir);
    if (error != 0) {
        return Result::Fail(folder.string() + ": " + ErrnoText(error));
    }
    SortNaturally(contents->folders);
    SortNaturally(contents->files);
    return Result::Ok();
}

std::optional<std::filesystem::path> FindScreenshot(const std::string& appPath,
                                                    const std::string& gameKey) {
    const auto snaps = FindInFolderIgnoringCase(appPath, "Snaps");
    if (!snaps) {
        return std::nullopt;
    }
    const SnapsIndex* index = IndexSnaps(*snaps);
    if (index == nullptr) {
        return std::nullopt;
    }
    for (const char* extension : {".BMP", ".JPG"}) {
        const auto found = index->byFoldedName.find(FoldAsciiCase(gameKey) + extension);
        if (found != index->byFoldedName.end()) {
            return *snaps / found->second;
        }
    }
    return std::nullopt;
}

}  // namespace brackmoor
