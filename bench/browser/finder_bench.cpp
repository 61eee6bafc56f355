// The game finder's search over a large collection, beside find(1) in the same run.
//
// A generated tree of 100,000 files in 5,000 folders (50 folders of 99 subfolders each, 20
// files in every folder, about half of them ".adf" in mixed letter case), warm in the cache:
// GetFiles with "*.ADF" and subfolders on, beside `find DIR -iname '*.adf'` read through a
// pipe; and the time to the first result, in GetFiles itself and through BackgroundSearch (what
// the dialog waits for before it can show anything). Medians of several alternating runs.
// Goal: the whole search within 1.2 times find.
//
//   finder_bench [ROUNDS]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "browser/game_search.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 50;
constexpr int kSubfolders = 99;
constexpr int kFilesPerFolder = 20;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void FillFolder(const fs::path& folder, int number) {
    static const char* const extensions[] = {".adf", ".ADF", ".adz", ".Adf", ".dms", ".txt"};
    fs::create_directories(folder);
    for (int i = 0; i < kFilesPerFolder; ++i) {
        const std::string name = "Game " + std::to_string(number) + "-" + std::to_string(i) +
                                 (i % 2 == 0 ? " Disk A" : "") + extensions[i % 6];
        ::close(::open((folder / name).c_str(), O_CREAT | O_WRONLY, 0644));
    }
}

struct Run {
    double total = 0;
    double first = 0;
    std::size_t found = 0;
};

Run SearchInProcess(const std::string& root) {
    Run run;
    const auto start = Clock::now();
    brackmoor::SearchEvents events;
    events.found = [&](const std::string&) {
        if (run.found++ == 0)
            run.first = Milliseconds(Clock::now() - start);
    };
    (void)brackmoor::GetFiles(root, true, "*.ADF", events);
    run.total = Milliseconds(Clock::now() - start);
    return run;
}

// The first result as the dialog gets it: from starting the thread to the first wake.
double FirstThroughBackground(const std::string& root) {
    std::mutex mutex;
    std::condition_variable woke;
    bool awake = false;
    const auto start = Clock::now();
    brackmoor::BackgroundSearch search(brackmoor::GetFiles, root, true, "*.ADF", [&] {
        const std::lock_guard<std::mutex> lock(mutex);
        awake = true;
        woke.notify_one();
    });
    std::unique_lock<std::mutex> lock(mutex);
    woke.wait(lock, [&] { return awake; });
    return Milliseconds(Clock::now() - start);
}

Run Find(const std::string& root) {
    Run run;
    const std::string command = "find '" + root + "' -iname '*.adf'";
    const auto start = Clock::now();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        if (run.found++ == 0)
            run.first = Milliseconds(Clock::now() - start);
    }
    ::pclose(pipe);
    run.total = Milliseconds(Clock::now() - start);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    brackmoor::test::TempDir dir;
    const fs::path root = dir.path() / "Collection";
    int number = 0;
    for (int top = 0; top < kTopFolders; ++top) {
        const fs::path folder = root / ("Letter " + std::to_string(top));
        FillFolder(folder, number++);
        for (int sub = 0; sub < kSubfolders; ++sub)
            FillFolder(folder / ("Set " + std::to_string(sub)), number++);
    }
    std::printf("tree: %d folders, %d files\n", number, number * kFilesPerFolder);

    // Warm the cache, then alternate.
    (void)Find(root.string());
    (void)SearchInProcess(root.string());
    std::vector<double> ours, ourFirst, theirs, theirFirst, background;
    std::size_t ourCount = 0, theirCount = 0;
    for (int round = 0; round < rounds; ++round) {
        const Run a = SearchInProcess(root.string());
        const Run b = Find(root.string());
        ours.push_back(a.total);
        ourFirst.push_back(a.first);
        theirs.push_back(b.total);
        theirFirst.push_back(b.first);
        background.push_back(FirstThroughBackground(root.string()));
        ourCount = a.found;
        theirCount = b.found;
    }
    std::printf("results: GetFiles %zu, find %zu\n", ourCount, theirCount);
    std::printf("whole search (median of %d): GetFiles %.1f ms, find %.1f ms, ratio %.2f\n", rounds,
                Median(ours), Median(theirs), Median(ours) / Median(theirs));
    std::printf("first result: GetFiles %.3f ms, through BackgroundSearch %.3f ms, find %.3f ms\n",
                Median(ourFirst), Median(background), Median(theirFirst));
    return ourCount == theirCount ? 0 : 1;
}
