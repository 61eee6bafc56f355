// The game record in "Game Settings.ini". Trimming, the 499-byte cut and quotes of the values
// read are checked in profile_values_test.cpp, the file's letter case and hand edits in
// profile_file_test.cpp, duplicate sections and letter case of names in the INI cases.

#include "media/game_settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "media/media_layout.h"
#include "test_support.h"

namespace brackmoor {
namespace {

class GameSettingsTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return dir.path() / "Game Settings.ini"; }
    std::string app() const { return dir.withSeparator(); }
    GameRecord load(const std::string& key) { return LoadGameSettings(app(), key, 3); }

    TempDir dir;
};

TEST(ReadLeadingNumber, RoundsHalvesToEvenAndHoldsWithinAnInt) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"12abc", 12}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"0.5", 0}, {".6", 1}, {"2.50001", 3},
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
        {"[GAME]\r\nCF=\r\n", true, {0, 0, false, false}, ""},
        {"[GAME]\r\nCF=-1\r\nAL=1\r\nWB=2\r\nDU=1\r\nNotes=j\r\n", true, {-1, 2, true, true}, "j"},
        {"[GAME]\r\nCF=abc\r\nWB=1\r\n", true, {0, 1, false, false}, ""},
        // Switches round first: 1.4 and 0.6 are both 1.
        {"[GAME]\r\nCF=-7\r\nWB=abc\r\nAL=1.4\r\nDU=0.6\r\n", true, {-1, 0, true, true}, ""},
        // A configuration past the list is no choice, a Workbench position stays as stored;
        // switch numbers other than 1 are off.
        {"[GAME]\r\nCF=3\r\nWB=3\r\nAL=2\r\n", true, {-1, 3, false, false}, ""},
        {std::string("\x01\xff[[[\n=\n]GAME[\nCF\n\0\0", 20), false, defaults, ""},
    };
    EXPECT_FALSE(load("GAME").remembered);  // no file
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteFile(file(), c.bytes);
        const GameRecord record = load("GAME");
        EXPECT_EQ(record.remembered, c.remembered);
        EXPECT_TRUE(record.choices == c.choices);
        EXPECT_EQ(record.notes, c.notes);
    }
    EXPECT_EQ(ListPositionFor(0, 0), -1);  // an empty list holds no position
    EXPECT_EQ(ReadGameValue(app(), "GAME", "Notes", "ERR"), "ERR");
}

TEST(SanitiseNote, TurnsEveryLineBreakIntoOneBlankAndDropsOnlyACutCharacter) {
    EXPECT_EQ(SanitiseNote(std::string("a\r\nb\nc\rd\0e\n", 11)), "a b c d e ");
    const std::pair<std::string, std::string> tails[] = {
        {"ab\xC3\xA9", "ab\xC3\xA9"},                  // whole é
        {"ab\xE2\x82", "ab"},                          // € cut after 2
        {"ab\xF0\x9F\x98", "ab"},                      // emoji cut after 3
        {"ab\xF0\x9F\x98\x80", "ab\xF0\x9F\x98\x80"},  // whole emoji
        {"\x80\x80", "\x80\x80"}};                     // not UTF-8: left alone
    for (const auto& [text, kept] : tails) {
        EXPECT_EQ(DropIncompleteUtf8Tail(text), kept);
    }
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
    WriteFile(dir.path() / "game settings.INI", "[A]\r\nCF=1\r\n");
    EXPECT_TRUE(GameSettingsFileExists(app()));  // whatever its letter case
    EXPECT_FALSE(RememberGameSettings(app(), "BAD\nKEY", DefaultGameChoices()));
    EXPECT_FALSE(WriteGameValue(app(), "", "Notes", "x"));
    EXPECT_EQ(ReadFile(dir.path() / "game settings.INI"), "[A]\r\nCF=1\r\n");
}

// The window test's sizes cover rounding up to the minimum.
TEST(LayoutNumbers, TwipsRoundBothWaysAndTheCompressionTextIsHeldWithinZeroToHundred) {
    EXPECT_EQ(TwipsToPixels(4600, 96), 307);  // 306.67
    EXPECT_EQ(TwipsToPixels(210, 144), 21);
    EXPECT_EQ(PixelsToTwips(307, 96), 4605);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
    for (const auto& [text, held] : {std::pair{"150", "100"}, {"100.5", "100"}, {"-0.1", "0"}}) {
        EXPECT_EQ(ClampCompressionText(text), std::optional<std::string>(held));
    }
    for (const char* stays : {"100", "0", "80.5", "", "-", ".", "-.", "1-2"}) {
        EXPECT_FALSE(ClampCompressionText(stays)) << stays;
    }
}

}  // namespace
}  // namespace brackmoor
