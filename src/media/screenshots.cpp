#include "media/screenshots.h"

#include <dirent.h>
#include <sys/stat.h>

#include <ctime>
#include <mutex>
#include <unordered_map>

#include "platform/file_lookup.h"
#include "platform/ini_document.h"

namespace brackmoor {

namespace {

constexpr char kSnapsFolder[] = "Snaps";

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

// Called with the index's lock held.
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

std::optional<std::filesystem::path> FindScreenshot(const std::string& snapsHome,
                                                    const std::string& gameKey) {
    const auto snaps = FindInFolderIgnoringCase(snapsHome, kSnapsFolder);
    if (!snaps) {
        return std::nullopt;
    }
    // The finder may look from another thread while the file list looks from its own.
    static std::mutex mutex;
    const std::lock_guard<std::mutex> lock(mutex);
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

std::string CaptureImageName(const std::string& gameKey) {
    return gameKey + ".JPG";
}

std::filesystem::path ScreenshotSavePath(const std::string& snapsHome, const std::string& gameKey) {
    const auto snaps = FindInFolderIgnoringCase(snapsHome, kSnapsFolder);
    return (snaps ? *snaps : std::filesystem::path(snapsHome) / kSnapsFolder) / (gameKey + ".jpg");
}

}  // namespace brackmoor
