#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/result.h"

namespace brackmoor {

// The bytes of one INI file, read the way the Windows profile functions read it and edited in
// place: a write changes only the line it must, every other byte stays as it was.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    const std::string& bytes() const { return bytes_; }

    // The value of `key` in the first section called `section` (names trimmed, ASCII letter
    // case ignored), trimmed and without one pair of outer quotes; nothing when the section or
    // the key is missing.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Writes `value` under `key` of `section`. Refuses names and values that would break the
    // line structure (CR, LF, NUL; "=" in a key); the document is then unchanged.
    Result set(std::string_view section, std::string_view key, std::string_view value);

    // Builds the lookup index now, so that later reads allocate nothing large: a reader that
    // must survive a failed allocation does the large allocations where it can catch them.
    void index() const { buildIndex(); }

private:
    struct Line {
        std::size_t begin;  // first byte of the line's text
        std::size_t end;    // one past its last text byte; the line ending follows
        std::size_t next;   // first byte of the next line
    };
    struct Section {
        std::size_t header;  // line index of the header
        std::size_t end;     // one past the last line of the section
    };

    void splitLines() const;
    void buildIndex() const;
    std::optional<std::size_t> findSectionLinear(std::string_view section) const;
    std::optional<std::size_t> findKeyLine(std::size_t header, std::size_t end,
                                           std::string_view key) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::string_view text(const Line& line) const;
    std::string_view lineEnding() const;

    std::string bytes_;
    // Derived from bytes_ on demand and dropped on every edit.
    mutable bool linesValid_ = false;
    mutable bool indexValid_ = false;
    mutable std::vector<Line> lines_;
    mutable std::vector<Section> sections_;
    mutable std::unordered_map<std::string, std::size_t> sectionByName_;
};

// GetPrivateProfileString over a parsed document (`doc` may be null for a missing file): the
// value found, or `def` with trailing spaces removed (nullptr reads as ""), either cut to
// size - 1 characters. The returned string's length is the count the Windows call returns.
std::string ProfileGet(const IniDocument* doc, std::string_view section, std::string_view key,
                       const char* def, std::size_t size);

// A value read the way the program reads its settings: ProfileGet into a buffer of `size`
// characters, which is then trimmed of spaces. The reader has trimmed the value already; what
// can remain are spaces inside a pair of quotes. Only the leading ones go: the trailing ones
// sit before the buffer's terminator, which that trim never reaches.
std::string ProfileGetTrimmed(const IniDocument* doc, std::string_view section,
                              std::string_view key, const char* def, std::size_t size);

// True when `text` holds a CR, an LF or a NUL: written into an INI file it would end its line
// and start another, so names and values holding one are refused, never mended.
bool BreaksIniLines(std::string_view text);

// Blanks at the edges of lines, names and values: 0x09-0x0D, 0x1A and the space.
bool IsIniBlank(char c);
std::string_view TrimIniBlanks(std::string_view text);
// ASCII-only letter-case folding (to upper case), as the profile functions compare names; the
// bytes of UTF-8 sequences are left alone.
inline char FoldAsciiChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
std::string FoldAsciiCase(std::string_view text);

}  // namespace brackmoor
