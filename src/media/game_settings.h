#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "launch/game_choices.h"
#include "platform/result.h"

namespace brackmoor {

// "Game Settings.ini": one section per game, named by its game key, with the keys CF, WB, AL,
// DU (the remembered choices) and Notes. The file lives in the application folder and is read
// afresh on every selection; the profile module's cache makes that cheap while it is unchanged.

inline constexpr char kGameSettingsFileName[] = "Game Settings.ini";

// Key names and the defaults a missing key reads as.
inline constexpr char kKeyConfig[] = "CF";
inline constexpr char kKeyWorkbench[] = "WB";
inline constexpr char kKeyAutoload[] = "AL";
inline constexpr char kKeyDisableUnused[] = "DU";
inline constexpr char kKeyNotes[] = "Notes";
inline constexpr char kMissingChoice[] = "ERR";

// Values are read through a 500-character buffer, so at most 499 characters come back.
inline constexpr std::size_t kGameValueBufferSize = 500;
// The notes box holds at most this many characters.
inline constexpr int kNoteMaxLength = 500;

// `appPath` ends in a separator, as LauncherSettings::AppPath does.
std::filesystem::path GameSettingsPath(std::string_view appPath);
bool GameSettingsFileExists(std::string_view appPath);

// One value of a game's section, or `def` when the file, section or key is missing. Leading
// blanks are dropped and the value is cut to 499 characters.
std::string ReadGameValue(std::string_view appPath, std::string_view gameKey, std::string_view key,
                          const char* def);

// Stores one value, creating the file and the section as needed; the file is replaced
// atomically. Fails (and writes nothing) for a value that holds a line break or NUL.
Result WriteGameValue(std::string_view appPath, std::string_view gameKey, std::string_view key,
                      std::string_view value);

// A game's record as the media window shows it.
struct GameRecord {
    // A CF key that is present and not exactly "ERR" marks remembered settings.
    bool remembered = false;
    GameChoices choices;
    // Read only for a game with remembered settings; empty otherwise.
    std::string notes;
};

// Loads the record of `gameKey`. A configuration position outside the choice list of
// `configCount` entries gives -1 (no entry chosen), so a launch refuses rather than silently
// using another configuration; the Workbench position is kept as stored, and the launch
// refuses one that names no disk. A switch is on only for the number 1.
GameRecord LoadGameSettings(std::string_view appPath, std::string_view gameKey, int configCount);

// "Remember This Game's Settings": CF, AL, WB, DU in that order, as one atomic replacement of
// the file.
Result RememberGameSettings(std::string_view appPath, std::string_view gameKey,
                            const GameChoices& choices);

// "Save" of the note: the note goes through SanitiseNote first, so it stays one value line.
Result SaveGameNote(std::string_view appPath, std::string_view gameKey, std::string_view note);

// A note as one line: every line break (CR LF, CR or LF) and every NUL becomes one blank.
std::string SanitiseNote(std::string_view note);

// Drops an incomplete UTF-8 sequence at the end of `text`, as a value cut at 499 bytes can
// leave one.
std::string DropIncompleteUtf8Tail(std::string text);

// The longest leading decimal number of `text` (blanks before it, a sign, digits, one decimal
// point), rounded to a whole number with halves going to the even neighbour; text without one
// gives 0. Values beyond the range of int are held at its ends.
int ReadLeadingNumber(std::string_view text);

// A stored list position as the list can take it: the position itself when the list holds it,
// otherwise -1.
int ListPositionFor(int stored, int count);

}  // namespace brackmoor
