#include "media/game_settings.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/file_lookup.h"
#include "platform/ini_document.h"
#include "platform/profile_file.h"
#include "settings/profile_values.h"

namespace brackmoor {

namespace {

std::string ReadFrom(const IniDocument* document, std::string_view gameKey, std::string_view key,
                     const char* def) {
    return ProfileGetTrimmed(document, gameKey, key, def, kGameValueBufferSize);
}

// A game key names a section: it must be a usable section name.
Result CheckGameKey(std::string_view gameKey) {
    if (TrimIniBlanks(gameKey).empty()) {
        return Result::Fail("the game has no name to file its settings under");
    }
    return Result::Ok();
}

}  // namespace

std::filesystem::path GameSettingsPath(std::string_view appPath) {
    return std::filesystem::path(std::string(appPath)) / kGameSettingsFileName;
}

bool GameSettingsFileExists(std::string_view appPath) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ResolveIgnoringCase(GameSettingsPath(appPath)), ec);
}

std::string ReadGameValue(std::string_view appPath, std::string_view gameKey, std::string_view key,
                          const char* def) {
    const auto document = LoadProfile(GameSettingsPath(appPath));
    return ReadFrom(document.get(), gameKey, key, def);
}

Result WriteGameValue(std::string_view appPath, std::string_view gameKey, std::string_view key,
                      std::string_view value) {
    if (Result checked = CheckGameKey(gameKey); !checked) {
        return checked;
    }
    return WriteProfileString(GameSettingsPath(appPath), gameKey, key, value);
}

GameRecord LoadGameSettings(std::string_view appPath, std::string_view gameKey, int configCount) {
    // One snapshot of the file for the whole record, so the keys cannot come from two versions.
    const auto document = LoadProfile(GameSettingsPath(appPath));
    const IniDocument* doc = document.get();

    GameRecord record;
    const std::string config = ReadFrom(doc, gameKey, kKeyConfig, kMissingChoice);
    if (config == kMissingChoice) {
        return record;
    }
    record.remembered = true;
    GameChoices& c = record.choices;
    c.configPosition = ListPositionFor(ReadLeadingNumber(config), configCount);
    c.workbenchPosition = ReadLeadingNumber(ReadFrom(doc, gameKey, kKeyWorkbench, kMissingChoice));
    c.autoloadABCD = ReadLeadingNumber(ReadFrom(doc, gameKey, kKeyAutoload, kMissingChoice)) == 1;
    c.disableUnusedDrives =
        ReadLeadingNumber(ReadFrom(doc, gameKey, kKeyDisableUnused, kMissingChoice)) == 1;
    record.notes = DropIncompleteUtf8Tail(ReadFrom(doc, gameKey, kKeyNotes, ""));
    return record;
}

Result RememberGameSettings(std::string_view appPath, std::string_view gameKey,
                            const GameChoices& choices) {
    if (Result checked = CheckGameKey(gameKey); !checked) {
        return checked;
    }
    return UpdateProfile(GameSettingsPath(appPath), [&](IniDocument& document) {
        const std::pair<const char*, std::string> values[] = {
            {kKeyConfig, std::to_string(choices.configPosition)},
            {kKeyAutoload, choices.autoloadABCD ? "1" : "0"},
            {kKeyWorkbench, std::to_string(choices.workbenchPosition)},
            {kKeyDisableUnused, choices.disableUnusedDrives ? "1" : "0"},
        };
        for (const auto& [key, value] : values) {
            if (Result set = document.set(gameKey, key, value); !set) {
                return set;
            }
        }
        return Result::Ok();
    });
}

Result SaveGameNote(std::string_view appPath, std::string_view gameKey, std::string_view note) {
    return WriteGameValue(appPath, gameKey, kKeyNotes, SanitiseNote(note));
}

std::string SanitiseNote(std::string_view note) {
    std::string out;
    out.reserve(note.size());
    for (std::size_t i = 0; i < note.size(); ++i) {
        const char c = note[i];
        if (c == '\r' && i + 1 < note.size() && note[i + 1] == '\n') {
            continue;  // CR LF is one line break: the LF gives the blank
        }
        out.push_back(c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
    }
    return out;
}

std::string DropIncompleteUtf8Tail(std::string text) {
    // Walk back over at most three continuation bytes to the lead byte of the last sequence.
    std::size_t lead = text.size();
    int continuation = 0;
    while (lead > 0 && continuation < 4) {
        const auto byte = static_cast<unsigned char>(text[lead - 1]);
        if ((byte & 0xC0) != 0x80) {
            break;
        }
        --lead;
        ++continuation;
    }
    if (lead == 0) {
        return text;
    }
    const auto byte = static_cast<unsigned char>(text[lead - 1]);
    int needed = 0;
    if ((byte & 0xE0) == 0xC0) {
        needed = 1;
    } else if ((byte & 0xF0) == 0xE0) {
        needed = 2;
    } else if ((byte & 0xF8) == 0xF0) {
        needed = 3;
    } else {
        return text;  // ASCII or not UTF-8 at all: nothing to mend
    }
    if (continuation < needed) {
        text.erase(lead - 1);
    }
    return text;
}

int ReadLeadingNumber(std::string_view text) {
    // Rounded to the nearest whole number, halves to the even one (the default rounding mode).
    const double rounded = std::nearbyint(ProfileNumber(text));
    return static_cast<int>(std::clamp<double>(rounded, INT_MIN, INT_MAX));
}

int ListPositionFor(int stored, int count) {
    return stored >= 0 && stored < count ? stored : -1;
}

}  // namespace brackmoor
