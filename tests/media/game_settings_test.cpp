#include "media/game_settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "launch/launch_plan.h"
#include "media/media_interfaces.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

}  // namespace

void PrintTo(const GameChoices& c, std::ostream* os) {
    *os << "{CF " << c.configPosition << ", WB " << c.workbenchPosition << ", AL " << c.autoloadABCD
        << ", DU " << c.disableUnusedDrives << "}";
}

namespace {

class GameSettingsTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return dir.path() / "Game Settings.ini"; }
    std::string app() const { return dir.withSeparator(); }
    void write(const std::string& bytes) { WriteFile(file(), bytes); }
    GameRecord load(const std::string& key, int configs = 3, int workbenches = 3) {
        return LoadGameSettings(app(), key, configs, workbenches);
    }

    TempDir dir;
};

TEST(ReadLeadingNumber, TakesTheLeadingNumberAndRoundsHalvesToEven) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", 0},
        {"ERR", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"7", 7},
        {"-1", -1},
        {"-7", -7},
        {"+3", 3},
        {"99999", 99999},
        {"12abc", 12},
        {"  4", 4},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"0.5", 0},
        {".6", 1},
        {"2.50001", 3},
        {"1.49", 1},
        {"1.2.3", 1},
        {"1e3", 1},
        {"9999999999999999999999", INT_MAX},
        {"-9999999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ListPositionFor, KeepsPositionsInsideTheListOnly) {
    EXPECT_EQ(ListPositionFor(0, 3), 0);
    EXPECT_EQ(ListPositionFor(2, 3), 2);
    EXPECT_EQ(ListPositionFor(3, 3), -1);
    EXPECT_EQ(ListPositionFor(-1, 3), -1);
    EXPECT_EQ(ListPositionFor(-7, 3), -1);
    EXPECT_EQ(ListPositionFor(0, 0), -1);
}

TEST(SanitiseNote, TurnsEveryLineBreakIntoOneBlank) {
    EXPECT_EQ(SanitiseNote("plain note"), "plain note");
    EXPECT_EQ(SanitiseNote("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(SanitiseNote(std::string("x\0y", 3)), "x y");
    EXPECT_EQ(SanitiseNote("\n\n"), "  ");
}

TEST(DropIncompleteUtf8Tail, RemovesOnlyACutSequence) {
    EXPECT_EQ(DropIncompleteUtf8Tail("abc"), "abc");
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xC3\xA9"), "ab\xC3\xA9");  // whole é
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xC3"), "ab");              // é cut after 1 byte
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xE2\x82"), "ab");          // € cut after 2
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xF0\x9F\x98"), "ab");      // emoji cut after 3
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xF0\x9F\x98\x80"), "ab\xF0\x9F\x98\x80");
    EXPECT_EQ(DropIncompleteUtf8Tail("\x80\x80"), "\x80\x80");  // not UTF-8: left alone
}

TEST_F(GameSettingsTest, ReadGameValueGivesDefaultsAndCutsAt499) {
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "CF", "ERR"), "ERR");  // no file
    write("[LEMMINGS]\r\nCF=\r\nNotes=" + std::string(600, 'n') + "\r\nWB=  \"  two\"\r\n");
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "CF", "ERR"), "");
    EXPECT_EQ(ReadGameValue(app(), "lemmings", "AL", "ERR"), "ERR");
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "Notes", ""), std::string(499, 'n'));
    // Blanks inside quotes survive the reader; the leading ones go with the buffer trim.
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "WB", "ERR"), "two");
}

// The record shapes themselves are covered through the window (media_window_test); here the
// number rules that decide what odd hand-edited values show.
TEST_F(GameSettingsTest, OddNumbersReadByTheRules) {
    write(
        "[ODD]\r\nCF=2.5\r\nWB=99999\r\nAL=2\r\nDU=-1\r\n"
        "[NEG]\r\nCF=-7\r\nWB=abc\r\nAL=1.4\r\nDU=0.6\r\n"
        "[ERR]\r\nCF=ERR \r\n");
    // 2.5 rounds to 2; a position past the list and switch numbers other than 1 read as no
    // choice and unchecked.
    EXPECT_EQ(load("ODD").choices, (GameChoices{2, -1, false, false}));
    EXPECT_EQ(load("ODD", 2, 3).choices.configPosition, -1);
    // Switch numbers round first: 1.4 and 0.6 both read as 1.
    EXPECT_EQ(load("NEG").choices, (GameChoices{-1, 0, true, true}));
    // The reader trims the value, so "ERR " is "ERR": no remembered settings.
    EXPECT_FALSE(load("ERR").remembered);
}

TEST_F(GameSettingsTest, NotesStayOneLineAndAfterTheChoices) {
    ASSERT_TRUE(RememberGameSettings(app(), "GAME", DefaultGameChoices()));
    ASSERT_TRUE(SaveGameNote(app(), "GAME", "line one\r\nline two\n[EVIL]\nCF=1"));
    EXPECT_EQ(ReadFile(file()),
              "[GAME]\r\nCF=0\r\nAL=0\r\nWB=0\r\nDU=1\r\nNotes=line one line two [EVIL] CF=1\r\n");
    EXPECT_FALSE(load("EVIL").remembered);

    // A note saved first puts Notes first; a full 500-character note reads back as 499.
    ASSERT_TRUE(SaveGameNote(app(), "OTHER", std::string(500, 'x')));
    ASSERT_TRUE(RememberGameSettings(app(), "OTHER", DefaultGameChoices()));
    EXPECT_NE(ReadFile(file()).find("[OTHER]\r\nNotes=" + std::string(500, 'x') + "\r\nCF=0"),
              std::string::npos);
    EXPECT_EQ(load("OTHER").notes, std::string(499, 'x'));

    // An empty note keeps the key with nothing after the equals sign.
    ASSERT_TRUE(SaveGameNote(app(), "OTHER", ""));
    EXPECT_NE(ReadFile(file()).find("Notes=\r\n"), std::string::npos);
}

TEST_F(GameSettingsTest, ANoteCutInsideACharacterLosesOnlyThatCharacter) {
    ASSERT_TRUE(RememberGameSettings(app(), "GAME", DefaultGameChoices()));
    // 498 bytes, then a two-byte character across the 499-byte cut.
    ASSERT_TRUE(SaveGameNote(app(), "GAME", std::string(498, 'a') + "\xC3\xA9"));
    EXPECT_EQ(load("GAME").notes, std::string(498, 'a'));
}

TEST_F(GameSettingsTest, FailedWritesSayWhyAndLeaveTheFileAlone) {
    const std::string missing = (dir.path() / "no such folder").string() + "/";
    const Result remembered = RememberGameSettings(missing, "GAME", DefaultGameChoices());
    EXPECT_FALSE(remembered);
    EXPECT_FALSE(remembered.error().empty());
    EXPECT_FALSE(SaveGameNote(missing, "GAME", "note"));
    EXPECT_FALSE(GameSettingsFileExists(missing));

    // A key that would break the file is refused before anything is written.
    write("[A]\r\nCF=1\r\n");
    EXPECT_FALSE(RememberGameSettings(app(), "BAD\nKEY", DefaultGameChoices()));
    EXPECT_FALSE(WriteGameValue(app(), "", "Notes", "x"));
    EXPECT_EQ(ReadFile(file()), "[A]\r\nCF=1\r\n");
}

TEST_F(GameSettingsTest, FindsTheFileWhateverItsLetterCase) {
    WriteFile(dir.path() / "game settings.INI", "[GAME]\r\nCF=1\r\n");
    EXPECT_TRUE(GameSettingsFileExists(app()));
    EXPECT_EQ(load("GAME").choices.configPosition, 1);
    ASSERT_TRUE(SaveGameNote(app(), "GAME", "n"));
    EXPECT_EQ(ReadFile(dir.path() / "game settings.INI"), "[GAME]\r\nCF=1\r\nNotes=n\r\n");
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(GameSettingsTest, SeesHandEditsAtTheNextLoad) {
    write("[GAME]\r\nCF=1\r\n");
    EXPECT_EQ(load("GAME").choices.configPosition, 1);
    write("[GAME]\r\nCF=2\r\n");  // same size, new content
    EXPECT_EQ(load("GAME").choices.configPosition, 2);
}

class NamedList : public FileListView {
public:
    std::vector<std::string> names;
    int focused = -1;
    int count() const override { return static_cast<int>(names.size()); }
    bool isSelected(int) const override { return false; }
    void setSelected(int, bool) override {}
    std::string name(int index) const override { return names.at(index); }
    int focusedIndex() const override { return focused; }
};

TEST(FocusedGameOfList, IsTheGameKeyOfTheFocusedItem) {
    NamedList list;
    FocusedGameOfList game(list);
    EXPECT_FALSE(game.currentGameKey());  // empty list
    list.names = {"Lemmings A.ADF", "Monkey Island B.adf"};
    list.focused = 1;
    EXPECT_EQ(game.currentGameKey(), std::optional<std::string>("MONKEY ISLAND"));
}

}  // namespace
}  // namespace brackmoor
