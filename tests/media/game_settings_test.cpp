#include "media/game_settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "media/media_layout.h"
#include "test_support.h"

namespace brackmoor {

void PrintTo(const GameChoices& c, std::ostream* os) {
    *os << "{CF " << c.configPosition << ", WB " << c.workbenchPosition << ", AL " << c.autoloadABCD
        << ", DU " << c.disableUnusedDrives << "}";
}

namespace {

using test::ReadFile;
using test::WriteFile;

class GameSettingsTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return dir.path() / "Game Settings.ini"; }
    std::string app() const { return dir.withSeparator(); }
    GameRecord load(const std::string& key) { return LoadGameSettings(app(), key, 3); }

    test::TempDir dir;
};

TEST(ReadLeadingNumber, TakesTheLeadingNumberAndRoundsHalvesToEven) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"ERR", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"7", 7}, {"-1", -1}, {"+3", 3},
        {"99999", 99999}, {"12abc", 12}, {"  4", 4}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
        {"0.5", 0}, {".6", 1}, {"2.50001", 3}, {"1.49", 1}, {"1.2.3", 1}, {"1e3", 1},
        {"9999999999999999999999", INT_MAX}, {"-9999999999999", INT_MIN}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadLeadingNumber(text), expected) << '"' << text << '"';
    }
}

// What a hand-edited record loads as, with three configurations.
TEST_F(GameSettingsTest, LoadsRecordsByTheNumberRules) {
    const GameChoices defaults = DefaultGameChoices();
    struct Case {
        std::string bytes;
        bool remembered;
        GameChoices choices;
        const char* notes;
    };
    const Case cases[] = {
        {"[OTHER]\r\nCF=2\r\n", false, defaults, ""},
        {"[GAME]\r\nNotes=a note\r\n", false, defaults, ""},  // notes only with settings
        {"[GAME]\r\nCF=ERR \r\nWB=1\r\nNotes=n\r\n", false, defaults, ""},  // trimmed to ERR
        {"[GAME]\r\nCF=1\r\n", true, {1, 0, false, false}, ""},
        {"[GAME]\r\nCF=\r\n", true, {0, 0, false, false}, ""},
        {"[GAME]\r\nCF=-1\r\nAL=1\r\nWB=2\r\nDU=1\r\nNotes=j\r\n", true, {-1, 2, true, true}, "j"},
        {"[GAME]\r\nCF=abc\r\nWB=1\r\n", true, {0, 1, false, false}, ""},
        {"[GAME]\r\nCF=2.5\r\n", true, {2, 0, false, false}, ""},
        // Switches round first: 1.4 and 0.6 are both 1.
        {"[GAME]\r\nCF=-7\r\nWB=abc\r\nAL=1.4\r\nDU=0.6\r\n", true, {-1, 0, true, true}, ""},
        // A configuration past the list is no choice, a Workbench position stays as stored;
        // switch numbers other than 1 are off.
        {"[GAME]\r\nCF=99999\r\nWB=3\r\nAL=2\r\n", true, {-1, 3, false, false}, ""},
        {"[Game]\r\ncf=2\r\nnotes=x\r\n", true, {2, 0, false, false}, "x"},
        {"[GAME]\nCF=1\n[GAME]\nCF=2\n", true, {1, 0, false, false}, ""},
        {std::string("\x01\xff[[[\n=\n]GAME[\nCF\n\0\0", 20), false, defaults, ""},
    };
    EXPECT_FALSE(load("GAME").remembered);  // no file
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteFile(file(), c.bytes);
        const GameRecord record = load("GAME");
        EXPECT_EQ(record.remembered, c.remembered);
        EXPECT_EQ(record.choices, c.choices);
        EXPECT_EQ(record.notes, c.notes);
    }
    EXPECT_EQ(ListPositionFor(0, 0), -1);  // an empty list holds no position
}

TEST_F(GameSettingsTest, ReadGameValueGivesDefaultsAndCutsAt499) {
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "CF", "ERR"), "ERR");  // no file
    WriteFile(file(),
              "[LEMMINGS]\r\nCF=\r\nNotes=" + std::string(600, 'n') + "\r\nWB=  \"  two\"\r\n");
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "CF", "ERR"), "");
    EXPECT_EQ(ReadGameValue(app(), "lemmings", "AL", "ERR"), "ERR");
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "Notes", ""), std::string(499, 'n'));
    // Blanks inside quotes survive the reader; the leading ones go with the buffer trim.
    EXPECT_EQ(ReadGameValue(app(), "LEMMINGS", "WB", "ERR"), "two");
}

TEST(SanitiseNote, TurnsEveryLineBreakIntoOneBlankAndDropsOnlyACutCharacter) {
    EXPECT_EQ(SanitiseNote("plain note"), "plain note");
    EXPECT_EQ(SanitiseNote("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(SanitiseNote(std::string("x\0y", 3)), "x y");
    EXPECT_EQ(SanitiseNote("\n\n"), "  ");

    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xC3\xA9"), "ab\xC3\xA9");  // whole é
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xE2\x82"), "ab");          // € cut after 2
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xF0\x9F\x98"), "ab");      // emoji cut after 3
    EXPECT_EQ(DropIncompleteUtf8Tail("ab\xF0\x9F\x98\x80"), "ab\xF0\x9F\x98\x80");
    EXPECT_EQ(DropIncompleteUtf8Tail("\x80\x80"), "\x80\x80");  // not UTF-8: left alone
}

TEST_F(GameSettingsTest, NotesStayOneLineAndAfterTheChoices) {
    ASSERT_TRUE(RememberGameSettings(app(), "GAME", DefaultGameChoices()));
    ASSERT_TRUE(SaveGameNote(app(), "GAME", "line one\r\nline two\n[EVIL]\nCF=1"));
    EXPECT_EQ(ReadFile(file()),
              "[GAME]\r\nCF=0\r\nAL=0\r\nWB=0\r\nDU=1\r\nNotes=line one line two [EVIL] CF=1\r\n");
    EXPECT_FALSE(load("EVIL").remembered);

    // A note saved first puts Notes first, all 500 characters of it.
    ASSERT_TRUE(SaveGameNote(app(), "OTHER", std::string(500, 'x')));
    ASSERT_TRUE(RememberGameSettings(app(), "OTHER", DefaultGameChoices()));
    EXPECT_NE(ReadFile(file()).find("[OTHER]\r\nNotes=" + std::string(500, 'x') + "\r\nCF=0"),
              std::string::npos);

    // An empty note keeps the key with nothing after the equals sign.
    ASSERT_TRUE(SaveGameNote(app(), "OTHER", ""));
    EXPECT_NE(ReadFile(file()).find("Notes=\r\n"), std::string::npos);

    // 498 bytes, then a two-byte character across the 499-byte cut: only that character goes.
    ASSERT_TRUE(SaveGameNote(app(), "GAME", std::string(498, 'a') + "\xC3\xA9"));
    EXPECT_EQ(load("GAME").notes, std::string(498, 'a'));
}

TEST_F(GameSettingsTest, FailedWritesSayWhyAndLeaveTheFileAlone) {
    const std::string missing = (dir.path() / "no such folder").string() + "/";
    EXPECT_FALSE(RememberGameSettings(missing, "GAME", DefaultGameChoices()).error().empty());
    EXPECT_FALSE(SaveGameNote(missing, "GAME", "note"));
    EXPECT_FALSE(GameSettingsFileExists(missing));

    // A key that would break the file is refused before anything is written.
    WriteFile(file(), "[A]\r\nCF=1\r\n");
    EXPECT_FALSE(RememberGameSettings(app(), "BAD\nKEY", DefaultGameChoices()));
    EXPECT_FALSE(WriteGameValue(app(), "", "Notes", "x"));
    EXPECT_EQ(ReadFile(file()), "[A]\r\nCF=1\r\n");
}

TEST_F(GameSettingsTest, FindsTheFileWhateverItsLetterCaseAndSeesHandEdits) {
    const auto lower = dir.path() / "game settings.INI";
    WriteFile(lower, "[GAME]\r\nCF=1\r\n");
    EXPECT_TRUE(GameSettingsFileExists(app()));
    EXPECT_EQ(load("GAME").choices.configPosition, 1);
    WriteFile(lower, "[GAME]\r\nCF=2\r\n");  // same size, new content
    EXPECT_EQ(load("GAME").choices.configPosition, 2);
    ASSERT_TRUE(SaveGameNote(app(), "GAME", "n"));
    EXPECT_EQ(ReadFile(lower), "[GAME]\r\nCF=2\r\nNotes=n\r\n");
    EXPECT_FALSE(std::filesystem::exists(file()));
}

// --- Window layout numbers ---

// The window test's sizes also cover rounding .33 down and the minimum rounded up.
TEST(Twips, ConvertWithTheLogicalDpi) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(4600, 96), 307);  // 306.67
    EXPECT_EQ(TwipsToPixelsAtLeast(4500, 96), 300);
    EXPECT_EQ(TwipsToPixels(210, 144), 21);
    EXPECT_EQ(PixelsToTwips(307, 96), 4605);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
}

TEST(CompressionText, IsHeldBetweenZeroAndHundred) {
    EXPECT_EQ(ClampCompressionText("150"), std::optional<std::string>("100"));
    EXPECT_EQ(ClampCompressionText("100.5"), std::optional<std::string>("100"));
    EXPECT_EQ(ClampCompressionText("-5"), std::optional<std::string>("0"));
    EXPECT_EQ(ClampCompressionText("-0.1"), std::optional<std::string>("0"));
    for (const char* stays : {"100", "0", "80", "80.5", "", "-", ".", "-.", "1-2"}) {
        EXPECT_FALSE(ClampCompressionText(stays)) << stays;
    }
    for (char c : std::string("0123456789-.\b")) {
        EXPECT_TRUE(IsCompressionKey(c)) << c;
    }
    for (char c : std::string("aZ +e\r\n,")) {
        EXPECT_FALSE(IsCompressionKey(c)) << c;
    }
}

}  // namespace
}  // namespace brackmoor
