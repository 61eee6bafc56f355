#include "browser/game_search.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "browser/wildcard.h"
#include "test_support.h"

namespace brackmoor {
namespace {

namespace fs = std::filesystem;

TEST(WildcardMatch, StarsQuestionMarksLetterCaseAndDotlessNames) {
    // "?" is one character, two bytes in "é". "*.*" matches every name, with or without a dot;
    // so does any "X.*" for dotless names.
    // clang-format off
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"*.ADF", "lemmings.adf", true}, {"*.ADF", "lemmings.adz", false},
        {"A???.*", "ABCD.adf", true}, {"A???.*", "ABC.adf", false},
        {"Caf?.adf", "Caf\xC3\xA9.adf", true}, {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false}, {"", "x.adf", false}, {"*.*", "readme", true},
        {"*.*", "trailing.", true}, {"*fire*.*", "Firefox", true}, {"*.adf", "adf", false}};
    // clang-format on
    for (const auto& [pattern, name, matches] : cases)
        EXPECT_EQ(WildcardMatch(pattern, name), matches) << pattern << " " << name;
    // A matcher that tries every split of the name recursively never finishes these.
    const std::string name(255, 'a');
    EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", name));
    EXPECT_FALSE(WildcardMatch(std::string(100, '*') + std::string(256, '?'), name));
}

// Runs a search and gathers what it reports.
std::vector<std::string> Find(const std::string& path, bool subFolders, const std::string& pattern,
                              SearchSummary* summary = nullptr,
                              std::function<void(const std::string&)> also = {}) {
    std::vector<std::string> found;
    SearchEvents events;
    events.found = [&](const std::string& file) {
        found.push_back(file);
        if (also)
            also(file);
    };
    const SearchSummary result = GetFiles(path, subFolders, pattern, events);
    if (summary != nullptr)
        *summary = result;
    return found;
}

// A/x.ADF, A/B/y.ADF, A/C/z.adf and company.
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
    EXPECT_TRUE(Find(tree.a.string(), true, "").empty());
    EXPECT_TRUE(Find(tree.at("gone"), true, "*.*").empty());
}

TEST(GetFiles, RootGivesOneSeparator) {
    // From the root itself, or an empty path (the root too): "/name", "/folder/name", never
    // "//". Each search stops at its first result.
    for (const char* root : {"/", ""}) {
        std::atomic<bool> stop{false};
        SearchEvents events;
        events.stop = &stop;
        std::string first;
        events.found = [&](const std::string& file) { first = file, stop = true; };
        (void)GetFiles(root, true, "*", events);
        EXPECT_TRUE(first[0] == '/' && first.find("//") == std::string::npos) << first;
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
    ASSERT_EQ(found.size(), 8u);
    // C is reached first through the link in B, and then not again as A/C.
    EXPECT_EQ(found[4], tree.at("B/C again/z.adf"));
}

TEST(GetFiles, UnreadableFoldersAreSkipped) {
    GameTree tree;
    // A folder that vanishes between being listed and being read (an ejected CD): removed as
    // soon as the first result of its parent is reported.
    const auto found = Find(tree.a.string(), true, "*.adf", nullptr,
                            [&](const std::string&) { fs::remove_all(tree.a / "B"); });
    ASSERT_EQ(found.size(), 7u);
    EXPECT_EQ(found[3], tree.at("C/z.adf"));
    if (::geteuid() != 0) {  // permissions do not stop root
        ::chmod((tree.a / "C").c_str(), 0);
        EXPECT_EQ(Find(tree.a.string(), true, "*.adf").size(), 5u);
        ::chmod((tree.a / "C").c_str(), 0755);
    }
}

TEST(GetFiles, DeepTreeBeyondThePathLimit) {
    // In memory where the system has it: thousands of nested folders are slow to make on disk.
    TempDir fallback;
    std::string base =
        (::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fallback.path()) / "deep-XXXXXX";
    ASSERT_NE(::mkdtemp(base.data()), nullptr);
    constexpr int kLevels = 4000;
    std::string expected = base;
    int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < kLevels; ++level, expected += "/d") {
        ASSERT_EQ(::mkdirat(fd, "d", 0755), 0);
        const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(fd = next, 0);
    }
    ::close(::openat(fd, "deep.adf", O_CREAT | O_WRONLY, 0644));
    ::close(fd);
    SearchSummary summary;
    EXPECT_EQ(Find(base, true, "*.adf", &summary),
              std::vector<std::string>{expected + "/deep.adf"});
    EXPECT_EQ(summary.foldersSearched, kLevels + 1u);
    // std::filesystem's removal cannot go this deep.
    EXPECT_EQ(std::system(("rm -rf '" + base + "'").c_str()), 0);
}

}  // namespace
}  // namespace brackmoor
