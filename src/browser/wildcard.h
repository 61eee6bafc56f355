#pragma once

#include <string_view>

namespace brackmoor {

// File-name wildcards as the game finder matches them: "*" stands for any run of characters,
// "?" for exactly one (a whole UTF-8 sequence counts as one), every other character for itself
// without regard to ASCII letter case. A pattern that ends in ".*" also matches a name without
// a dot that matches the part before it, as on Windows, so "*.*" matches every name.
//
// No recursion: the work is bounded by the pattern's length times the name's (a file name is
// at most 255 bytes), whatever the pattern holds.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace brackmoor
