#include <gtest/gtest.h>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "browser/game_search.h"
#include "browser/wildcard.h"
#include "platform/ini_document.h"
#include "test_support.h"

namespace brackmoor {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;

TEST(WildcardMatch, StarsQuestionMarksAndLetterCase) {
    EXPECT_TRUE(WildcardMatch("*.ADF", "lemmings.adf"));
    EXPECT_FALSE(WildcardMatch("*.ADF", "lemmings.adz"));
    EXPECT_TRUE(WildcardMatch("*fire*.*", "Firepower.adf"));
    EXPECT_TRUE(WildcardMatch("A???.*", "ABCD.adf"));
    EXPECT_FALSE(WildcardMatch("A???.*", "ABC.adf"));
    EXPECT_TRUE(WildcardMatch("Caf?.adf", "Caf\xC3\xA9.adf"));  // one character, two bytes
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(WildcardMatch("a*b*c", "aXbYbZ"));
    EXPECT_FALSE(WildcardMatch("", "x.adf"));
    // "*.*" matches every name, with or without a dot; so does any "X.*" for dotless names.
    for (const char* name : {"readme", "a.b", ".", "x.tar.gz", "trailing."})
        EXPECT_TRUE(WildcardMatch("*.*", name)) << name;
    EXPECT_TRUE(WildcardMatch("*fire*.*", "Firefox"));
    EXPECT_FALSE(WildcardMatch("*.adf", "adf"));
}

TEST(WildcardMatch, ManyStarsDoNotBacktrackWithoutEnd) {
    // A matcher that tries every split of the name recursively never finishes these.
    const std::string name(255, 'a');
    EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", name));
    EXPECT_TRUE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*?", name));
    EXPECT_FALSE(WildcardMatch(std::string(100, '*') + std::string(256, '?'), name));
}

// A plain table-driven matcher over whole characters, to check the fast one against.
bool ReferenceMatch(const std::vector<std::string>& pattern, const std::vector<std::string>& name) {
    std::vector<std::vector<bool>> m(pattern.size() + 1, std::vector<bool>(name.size() + 1));
    m[0][0] = true;
    for (std::size_t p = 1; p <= pattern.size(); ++p) {
        for (std::size_t n = 0; n <= name.size(); ++n) {
            const std::string& t = pattern[p - 1];
            if (t == "*")
                m[p][n] = m[p - 1][n] || (n > 0 && m[p][n - 1]);
            else if (n > 0 && (t == "?" || FoldAsciiCase(t) == FoldAsciiCase(name[n - 1])))
                m[p][n] = m[p - 1][n - 1];
        }
    }
    return m[pattern.size()][name.size()];
}

TEST(WildcardMatch, AgreesWithAReferenceOnRandomNames) {
    const std::vector<std::string> letters = {"a", "B", ".", "\xC3\xA9"};
    const std::vector<std::string> tokens = {"a", "b", ".", "*", "?", "\xC3\xA9"};
    unsigned seed = 7;
    auto pick = [&seed](std::size_t size) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % size;
    };
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> pattern(pick(7)), name(pick(8));
        std::string p, n;
        for (auto& t : pattern)
            p += t = tokens[pick(tokens.size())];
        for (auto& c : name)
            n += c = letters[pick(letters.size())];
        bool expected = ReferenceMatch(pattern, name);
        if (!expected && p.size() >= 2 && p.substr(p.size() - 2) == ".*" &&
            n.find('.') == std::string::npos)
            expected = ReferenceMatch({pattern.begin(), pattern.end() - 2}, name);
        ASSERT_EQ(WildcardMatch(p, n), expected) << "pattern " << p << " name " << n;
    }
}

// Runs a search and gathers what it reports.
std::vector<std::string> Find(const std::string& path, bool subFolders, const std::string& pattern,
                              SearchSummary* summary = nullptr) {
    std::vector<std::string> found;
    SearchEvents events;
    events.found = [&found](const std::string& file) { found.push_back(file); };
    const SearchSummary result = GetFiles(path, subFolders, pattern, events);
    if (summary != nullptr)
        *summary = result;
    return found;
}

// A\x.ADF, A\B\y.ADF, A\C\z.adf and company.
struct GameTree {
    TempDir dir;
    fs::path a = dir.path() / "A";
    std::string at(const std::string& relative) const { return (a / relative).string(); }
    GameTree() {
        for (const char* file : {"x.ADF", "Disk 10.adf", "Disk 9.adf", "notes.txt", ".hidden.adf",
                                 "B/y.ADF", "C/z.adf", "C/Fire/Fire Fighter.adf", "C 10/late.adf",
                                 "C 9/early.adf", ".cache/hidden.adf"}) {
            fs::create_directories((a / file).parent_path());
            WriteFile(a / file, "disk");
        }
        fs::create_directories(a / "Empty.adf");  // a folder named like the pattern
    }
};

TEST(GetFiles, OwnMatchesFirstThenEachSubfolderDepthFirstInNaturalOrder) {
    GameTree tree;
    SearchSummary summary;
    EXPECT_EQ(Find(tree.a.string(), true, "*.ADF", &summary),
              (std::vector<std::string>{tree.at("Disk 9.adf"), tree.at("Disk 10.adf"),
                                        tree.at("x.ADF"), tree.at("B/y.ADF"), tree.at("C/z.adf"),
                                        tree.at("C/Fire/Fire Fighter.adf"),
                                        tree.at("C 9/early.adf"), tree.at("C 10/late.adf")}));
    EXPECT_EQ(summary.foldersSearched, 7u);  // A, B, C, C/Fire, C 9, C 10, Empty.adf
    EXPECT_FALSE(summary.stopped);
    // Without subfolders only the folder's own files; a trailing separator changes nothing.
    EXPECT_EQ(Find(tree.a.string() + "//", false, "*.adf"),
              (std::vector<std::string>{tree.at("Disk 9.adf"), tree.at("Disk 10.adf"),
                                        tree.at("x.ADF")}));
    // A folder whose name matches is not a result; the files below it are.
    EXPECT_EQ(Find(tree.at("C"), true, "*fire*.*"),
              (std::vector<std::string>{tree.at("C/Fire/Fire Fighter.adf")}));
    // An empty pattern lists nothing; a missing folder lists nothing.
    EXPECT_TRUE(Find(tree.a.string(), true, "").empty());
    EXPECT_TRUE(Find(tree.at("gone"), true, "*.*").empty());
}

TEST(GetFiles, RootGivesOneSeparator) {
    // From the root itself, or an empty path (the root too): "/name", "/folder/name", never
    // "//". Each search stops at its first result.
    std::atomic<bool> stop{false};
    std::vector<std::string> found;
    SearchEvents events;
    events.stop = &stop;
    events.found = [&](const std::string& file) {
        found.push_back(file);
        stop = true;
    };
    for (const char* root : {"/", ""}) {
        stop = false;
        (void)GetFiles(root, true, "*", events);
    }
    ASSERT_EQ(found.size(), 2u);
    for (const std::string& file : found) {
        EXPECT_EQ(file[0], '/') << file;
        EXPECT_EQ(file.find("//"), std::string::npos) << file;
    }
}

TEST(GetFiles, LinkLoopsEndAndEachFolderIsReadOnce) {
    GameTree tree;
    fs::create_directory_symlink(tree.a, tree.a / "B" / "back to A");
    fs::create_directory_symlink(tree.a / "C", tree.a / "B" / "C again");
    fs::create_directory_symlink(tree.a / "B", tree.a / "B" / "self");
    SearchSummary summary;
    const std::vector<std::string> found = Find(tree.a.string(), true, "*.adf", &summary);
    EXPECT_EQ(summary.foldersSearched, 7u);
    EXPECT_EQ(found.size(), 8u);
    // C is reached first through the link in B, and then not again as A\C.
    EXPECT_EQ(found[4], tree.at("B/C again/z.adf"));
}

TEST(GetFiles, UnreadableFoldersAreSkipped) {
    GameTree tree;
    // A folder that vanishes between being listed and being read (an ejected CD): removed as
    // soon as the first result of its parent is reported.
    std::vector<std::string> found;
    SearchEvents events;
    events.found = [&](const std::string& file) {
        found.push_back(file);
        fs::remove_all(tree.a / "B");
    };
    (void)GetFiles(tree.a.string(), true, "*.adf", events);
    EXPECT_EQ(found.size(), 7u);
    EXPECT_EQ(found[3], tree.at("C/z.adf"));
    if (::geteuid() != 0) {  // permissions do not stop root
        ::chmod((tree.a / "C").c_str(), 0);
        EXPECT_EQ(Find(tree.a.string(), true, "*.adf").size(), 5u);
        ::chmod((tree.a / "C").c_str(), 0755);
    }
}

TEST(GetFiles, DeepTreeBeyondThePathLimit) {
    // In memory where the system has it: thousands of nested folders are slow to make on disk.
    std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/deep-XXXXXX" : "";
    TempDir fallback;
    if (base.empty())
        base = (fallback.path() / "deep-XXXXXX").string();
    ASSERT_NE(::mkdtemp(base.data()), nullptr);
    constexpr int kLevels = 4000;
    int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < kLevels; ++level) {
        ASSERT_EQ(::mkdirat(fd, "d", 0755), 0);
        const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(next, 0);
        fd = next;
    }
    ::close(::openat(fd, "deep.adf", O_CREAT | O_WRONLY, 0644));
    ::close(fd);
    SearchSummary summary;
    const std::vector<std::string> found = Find(base, true, "*.adf", &summary);
    EXPECT_EQ(summary.foldersSearched, kLevels + 1u);
    ASSERT_EQ(found.size(), 1u);
    std::string expected = base;
    for (int level = 0; level < kLevels; ++level)
        expected += "/d";
    EXPECT_EQ(found[0], expected + "/deep.adf");
    // std::filesystem's removal cannot go this deep.
    EXPECT_EQ(std::system(("rm -rf '" + base + "'").c_str()), 0);
}

TEST(BackgroundSearch, StoppedPartWayKeepsTheBeginningOfTheResults) {
    GameTree tree;
    const std::vector<std::string> all = Find(tree.a.string(), true, "*.adf");
    std::atomic<int> wakes{0};
    // The search is stopped from within, once three results were reported.
    std::unique_ptr<BackgroundSearch> search;
    std::atomic<BackgroundSearch*> running{nullptr};
    std::atomic<int> reported{0};
    auto counting = [&](const std::string& path, bool sub, const std::string& pattern,
                        const SearchEvents& events) {
        while (running.load() == nullptr)  // the thread may start before `running` is set
            std::this_thread::yield();
        SearchEvents counted = events;
        counted.found = [&, found = events.found](const std::string& file) {
            found(file);
            if (++reported == 3)
                running.load()->stop();
        };
        return GetFiles(path, sub, pattern, counted);
    };
    search = std::make_unique<BackgroundSearch>(counting, tree.a.string(), true, "*.adf",
                                                [&] { ++wakes; });
    running = search.get();
    std::vector<std::string> taken;
    BackgroundSearch::Progress progress;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!progress.finished && std::chrono::steady_clock::now() < deadline) {
        progress = search->take();
        taken.insert(taken.end(), progress.found.begin(), progress.found.end());
    }
    ASSERT_TRUE(progress.finished);
    EXPECT_GE(wakes.load(), 1);
    EXPECT_EQ(taken, std::vector<std::string>(all.begin(), all.begin() + 3));
}

}  // namespace
}  // namespace brackmoor
