#include "browser/game_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <unordered_set>
#include <utility>

#include "browser/natural_order.h"
#include "browser/wildcard.h"

namespace brackmoor {

namespace {

constexpr int kOpenFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// A folder whose path is longer than the system's limit (a very deep tree), opened a piece at
// a time, each piece within the limit, relative to the folder before it.
int OpenInPieces(const std::string& path) {
    int fd = AT_FDCWD;
    std::size_t begin = 0;
    while (begin < path.size()) {
        std::size_t end = path.size();
        if (end - begin >= PATH_MAX) {
            const std::size_t cut = path.rfind('/', begin + PATH_MAX - 2);
            // One name longer than the limit cannot exist.
            end = cut == std::string::npos || cut < begin ? begin : cut + 1;
        }
        const int next =
            end > begin ? ::openat(fd, path.substr(begin, end - begin).c_str(), kOpenFolderFlags)
                        : -1;
        if (fd != AT_FDCWD) {
            ::close(fd);
        }
        if (next < 0) {
            return -1;
        }
        fd = next;
        begin = end;
    }
    return fd;
}

// Opens folders for reading. The last folder opened is kept open, so that its subfolders (the
// next ones a depth-first walk opens) are opened relative to it: a deep tree then costs one
// name's lookup per folder instead of its whole path's, and paths beyond the system's limit
// open as well as short ones. Any other folder is opened by its path.
class FolderOpener {
public:
    FolderOpener() = default;
    FolderOpener(const FolderOpener&) = delete;
    FolderOpener& operator=(const FolderOpener&) = delete;
    ~FolderOpener() {
        if (lastFd_ >= 0) {
            ::close(lastFd_);
        }
    }

    int open(const std::string& path) {
        const bool below = lastFd_ >= 0 && path.size() > lastPath_.size() &&
                           path.size() - lastPath_.size() < PATH_MAX &&
                           path.compare(0, lastPath_.size(), lastPath_) == 0;
        int fd = -1;
        if (below) {
            fd = ::openat(lastFd_, path.c_str() + lastPath_.size(), kOpenFolderFlags);
        } else if (path.size() < PATH_MAX) {
            fd = ::open(path.c_str(), kOpenFolderFlags);
        } else {
            fd = OpenInPieces(path);
        }
        if (fd >= 0) {
            if (lastFd_ >= 0) {
                ::close(lastFd_);
            }
            lastFd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
            lastPath_ = path;
        }
        return fd;
    }

private:
    int lastFd_ = -1;
    std::string lastPath_;  // ends in a separator
};

struct FolderId {
    dev_t device;
    ino_t inode;
    bool operator==(const FolderId& other) const {
        return device == other.device && inode == other.inode;
    }
};

struct FolderIdHash {
    std::size_t operator()(const FolderId& id) const {
        return std::hash<unsigned long long>()(static_cast<unsigned long long>(id.inode) * 31u +
                                               static_cast<unsigned long long>(id.device));
    }
};

// A folder, or a link to one; asking the file system only when the entry does not say.
bool IsFolderEntry(int folderFd, const dirent* entry) {
    if (entry->d_type == DT_DIR) {
        return true;
    }
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) {
        return false;
    }
    struct stat st {};
    return ::fstatat(folderFd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// The folder as the results name it: one separator at its end; an empty path is the root.
std::string WithOneSeparator(const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && folder.back() == '/') {
        folder.pop_back();
    }
    folder += '/';
    return folder;
}

}  // namespace

SearchSummary GetFiles(const std::string& path, bool subFolders, const std::string& pattern,
                       const SearchEvents& events) {
    SearchSummary summary;
    auto stopRequested = [&events, &summary] {
        if (events.stop != nullptr && events.stop->load(std::memory_order_relaxed)) {
            summary.stopped = true;
        }
        return summary.stopped;
    };
    // Folders still to search, the next one last: a folder's subfolders go on in reverse
    // order, so the first of them is searched, completely, before the second.
    std::vector<std::string> pending{WithOneSeparator(path)};
    std::unordered_set<FolderId, FolderIdHash> searched;
    std::vector<std::string> matches;
    std::vector<std::string> subfolders;
    FolderOpener opener;
    while (!pending.empty() && !stopRequested()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        const int fd = opener.open(folder);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !searched.insert({st.st_dev, st.st_ino}).second) {
            ::close(fd);
            continue;
        }
        DIR* dir = ::fdopendir(fd);
        if (dir == nullptr) {
            ::close(fd);
            continue;
        }
        matches.clear();
        subfolders.clear();
        while (const dirent* entry = ::readdir(dir)) {
            // A stop inside a folder drops that folder's part, so that what was reported is
            // always the beginning of the whole search's results.
            if (stopRequested()) {
                break;
            }
            const char* name = entry->d_name;
            if (name[0] == '.') {
                continue;
            }
            const bool wanted = WildcardMatch(pattern, name);
            if (!wanted && !subFolders) {
                continue;
            }
            if (IsFolderEntry(::dirfd(dir), entry)) {
                if (subFolders) {
                    subfolders.emplace_back(name);
                }
            } else if (wanted) {
                matches.emplace_back(name);
            }
        }
        ::closedir(dir);
        if (summary.stopped) {
            break;
        }
        ++summary.foldersSearched;
        if (events.folderSearched) {
            events.folderSearched(summary.foldersSearched);
        }
        SortNaturally(matches);
        for (const std::string& name : matches) {
            if (stopRequested()) {
                return summary;
            }
            ++summary.filesFound;
            if (events.found) {
                events.found(folder + name);
            }
        }
        SortNaturally(subfolders);
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) {
            pending.push_back(folder + *it + '/');
        }
    }
    return summary;
}

BackgroundSearch::BackgroundSearch(SearchFunction search, std::string path, bool subFolders,
                                   std::string pattern, std::function<void()> wake)
    : wake_(std::move(wake)) {
    thread_ =
        std::thread([this, search = std::move(search), path = std::move(path), subFolders,
                     pattern = std::move(pattern)] { run(search, path, subFolders, pattern); });
}

BackgroundSearch::~BackgroundSearch() {
    stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void BackgroundSearch::run(const SearchFunction& search, const std::string& path, bool subFolders,
                           const std::string& pattern) {
    SearchEvents events;
    events.stop = &stop_;
    events.found = [this](const std::string& found) {
        std::unique_lock<std::mutex> lock(mutex_);
        pending_.push_back(found);
        wakeIfIdle(lock);
    };
    events.folderSearched = [this](std::size_t folders) {
        const std::lock_guard<std::mutex> lock(mutex_);
        foldersSearched_ = folders;
    };
    try {
        search(path, subFolders, pattern, events);
    } catch (...) {
        // Out of memory, say: the search ends with what it found so far.
    }
    std::unique_lock<std::mutex> lock(mutex_);
    finished_ = true;
    wakeIfIdle(lock);
}

void BackgroundSearch::wakeIfIdle(std::unique_lock<std::mutex>& lock) {
    if (woken_) {
        return;
    }
    woken_ = true;
    lock.unlock();
    if (wake_) {
        wake_();
    }
}

BackgroundSearch::Progress BackgroundSearch::take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    Progress progress;
    progress.found.swap(pending_);
    progress.foldersSearched = foldersSearched_;
    progress.finished = finished_;
    woken_ = false;
    return progress;
}

}  // namespace brackmoor
