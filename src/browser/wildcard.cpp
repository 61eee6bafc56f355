#include "browser/wildcard.h"

#include "platform/ini_document.h"

namespace brackmoor {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The end of the character that starts at `i`: a lead byte and the continuation bytes after it.
std::size_t NextCharacter(std::string_view text, std::size_t i) {
    ++i;
    while (i < text.size() && IsContinuationByte(text[i]))
        ++i;
    return i;
}

// The classic single-backtrack match: on a mismatch only the last "*" takes one more character.
// Earlier stars never need to give anything back, since the last star can absorb whatever they
// would have taken, so this is complete and runs in at most |pattern| x |name| steps.
bool Match(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextCharacter(name, n);
        } else if (p < pattern.size() && FoldAsciiChar(pattern[p]) == FoldAsciiChar(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            starN = NextCharacter(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (Match(pattern, name)) {
        return true;
    }
    const bool endsInDotStar = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
    return endsInDotStar && name.find('.') == std::string_view::npos &&
           Match(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace brackmoor
