// Runs INI profile golden cases against the profile module.
//
//   ini_case_runner DIR...
//
// Each DIR is a case folder (before, ops, expected_reads, expected_after); arguments that are
// not folders are passed over. Prints one line per failing case and a last line
// "N passed, N failed"; exits non-zero when any case fails.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/profile_file.h"

namespace fs = std::filesystem;
using namespace brackmoor;

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 >= field.size()) {
            out += field[i];
            continue;
        }
        const char c = field[++i];
        switch (c) {
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'x':
                if (i + 2 < field.size() && HexDigit(field[i + 1]) >= 0 &&
                    HexDigit(field[i + 2]) >= 0) {
                    out += static_cast<char>(HexDigit(field[i + 1]) * 16 + HexDigit(field[i + 2]));
                    i += 2;
                } else {
                    out += "\\x";
                }
                break;
            default:
                out += c;
                break;  // \\ and \"
        }
    }
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                if (c < 0x20 || c > 0x7E) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = line.find(separator, start);
        fields.push_back(line.substr(start, at - start));
        if (at == std::string::npos)
            return fields;
        start = at + 1;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string RunOp(const fs::path& file, const std::string& line) {
    const auto f = Split(line, '\t');
    if (f[0] == "get" && f.size() == 5) {
        const std::string def = Unescape(f[3]);
        const std::string got =
            ReadProfileString(file, Unescape(f[1]), Unescape(f[2]),
                              f[3] == "@NULL" ? nullptr : def.c_str(), std::stoul(f[4]));
        return "ret=" + std::to_string(got.size()) + " str=\"" + Escape(got) + "\"";
    }
    if (f[0] == "set" && f.size() == 4) {
        const bool ok =
            WriteProfileString(file, Unescape(f[1]), Unescape(f[2]), Unescape(f[3])).ok();
        return ok ? "ret=1" : "ret=0";
    }
    return "bad operation: " + line;
}

// Returns the reason the case fails, or "" when it passes.
std::string RunCase(const fs::path& dir, const fs::path& work) {
    std::string error;
    const auto ops = ReadWholeFile(dir / "ops", &error);
    const auto reads = ReadWholeFile(dir / "expected_reads", &error);
    if (!ops || !reads)
        return "no ops or expected_reads";
    const auto before = ReadWholeFile(dir / "before", &error);
    const auto expectedAfter = ReadWholeFile(dir / "expected_after", &error);

    fs::remove_all(work);
    fs::create_directories(work);
    const fs::path file = work / "case.ini";
    if (before) {
        if (Result written = ReplaceFileAtomically(file, *before); !written)
            return "cannot write the case's file: " + written.error();
    }

    const auto opLines = Lines(*ops);
    const auto wanted = Lines(*reads);
    for (std::size_t i = 0; i < opLines.size(); ++i) {
        const std::string got = RunOp(file, opLines[i]);
        const std::string want = i < wanted.size() ? wanted[i] : "(nothing)";
        if (got != want) {
            return "operation " + std::to_string(i + 1) + " (" + Escape(opLines[i]) + "): got " +
                   got + ", expected " + want;
        }
    }
    const auto after = ReadWholeFile(file, &error);
    if (expectedAfter.has_value() != after.has_value()) {
        return expectedAfter ? "the file is missing afterwards" : "a file was created";
    }
    if (after && *after != *expectedAfter) {
        return "file afterwards: \"" + Escape(*after) + "\", expected \"" + Escape(*expectedAfter) +
               "\"";
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path work =
        fs::temp_directory_path() / ("ini_case_runner." + std::to_string(::getpid()));
    int passed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path dir(argv[i]);
        if (!fs::is_directory(dir))
            continue;
        const std::string why = RunCase(dir, work);
        if (why.empty()) {
            ++passed;
        } else {
            ++failed;
            std::cout << "FAIL " << dir.filename().string() << ": " << why << "\n";
        }
    }
    fs::remove_all(work);
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed == 0 && passed > 0 ? 0 : 1;
}
