#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brackmoor {

// What a search reports while it runs, and how it is stopped. Every member may be left empty.
struct SearchEvents {
    // A file whose name matches: its full path (the folder, one separator, the name).
    std::function<void(const std::string& path)> found;
    // A folder has been read; the count of folders read so far.
    std::function<void(std::size_t foldersSearched)> folderSearched;
    // Set from any thread to end the search early; what was reported stays valid, and is the
    // beginning of what the whole search would have reported.
    const std::atomic<bool>* stop = nullptr;
};

struct SearchSummary {
    std::size_t foldersSearched = 0;
    std::size_t filesFound = 0;
    bool stopped = false;
};

// The game finder's search. Reports every file (anything that is not a folder) in `path` whose
// name matches `pattern` (see WildcardMatch), in the file list's natural order; then, with
// `subFolders`, does the same for each subfolder in that order, depth first, each searched
// completely before the next. An empty `path` is the root.
//
// Like the file list, it leaves out hidden names (starting with "."). A folder that cannot be
// read is skipped without a word. Each folder is read once: a folder reached again through a
// link (a link back into a folder the search is inside, or a second way to the same folder) is
// not searched again, so a link loop ends. The walk keeps its own stack, so a tree thousands
// of levels deep needs no deep call stack, and folders whose path exceeds the system's path
// limit are still opened, step by step.
SearchSummary GetFiles(const std::string& path, bool subFolders, const std::string& pattern,
                       const SearchEvents& events);

// The signature of GetFiles, so a window can be given another search (a test's, say).
using SearchFunction =
    std::function<SearchSummary(const std::string& path, bool subFolders,
                                const std::string& pattern, const SearchEvents& events)>;

// One search run on a thread of its own, its results collected for a window to take in
// batches. `wake` is called on the search thread when results or the end are waiting and no
// earlier call is still untaken (after take() the next result wakes again), so a window posts
// at most one pending "take" at a time however fast files are found.
class BackgroundSearch {
public:
    struct Progress {
        std::vector<std::string> found;  // results since the last take, in order
        std::size_t foldersSearched = 0;
        bool finished = false;
    };

    BackgroundSearch(SearchFunction search, std::string path, bool subFolders, std::string pattern,
                     std::function<void()> wake);
    // Stops the search and waits for its thread.
    ~BackgroundSearch();
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    // Asks the search to end soon; it then reports itself finished, keeping what it found.
    void stop() { stop_.store(true); }
    Progress take();

private:
    void run(const SearchFunction& search, const std::string& path, bool subFolders,
             const std::string& pattern);
    void wakeIfIdle(std::unique_lock<std::mutex>& lock);

    std::atomic<bool> stop_{false};
    std::function<void()> wake_;
    std::mutex mutex_;
    std::vector<std::string> pending_;
    std::size_t foldersSearched_ = 0;
    bool finished_ = false;
    bool woken_ = false;
    std::thread thread_;
};

}  // namespace brackmoor
