#pragma once

// What the fuzz targets share: a check that stops the run with the broken rule, so libFuzzer
// keeps the input that broke it; and the reader's trimming of a value.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_document.h"

#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: broken rule: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

namespace brackmoor::fuzz {

// A value as the reader gives it back: trimmed, and without one pair of outer quotes.
inline std::string ReadBack(std::string_view value) {
    value = TrimIniBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// The lines of `bytes` with their endings, split as the reader splits them (CR, LF or CRLF).
inline std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(pos));
            break;
        }
        std::size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') {
            ++next;
        }
        lines.push_back(bytes.substr(pos, next - pos));
        pos = next;
    }
    return lines;
}

}  // namespace brackmoor::fuzz
