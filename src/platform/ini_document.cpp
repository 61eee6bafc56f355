#include "platform/ini_document.h"

#include <algorithm>

namespace brackmoor {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Header name of a trimmed line, when the line is a section header: "[" first, and the name
// runs to the last "]".
std::optional<std::string_view> HeaderName(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimIniBlanks(trimmed.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view trimmed) {
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{TrimIniBlanks(trimmed.substr(0, eq)), TrimIniBlanks(trimmed.substr(eq + 1))};
}

std::string_view StripOuterQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

bool BreaksIniLines(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsIniBlank(char c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' ';
}

std::string_view TrimIniBlanks(std::string_view text) {
    while (!text.empty() && IsIniBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsIniBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiChar(a[i]) != FoldAsciiChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::string FoldAsciiCase(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldAsciiChar);
    return folded;
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {}

std::string_view IniDocument::text(const Line& line) const {
    return std::string_view(bytes_).substr(line.begin, line.end - line.begin);
}

void IniDocument::splitLines() const {
    if (linesValid_) {
        return;
    }
    lines_.clear();
    std::size_t pos = bytes_.compare(0, kBom.size(), kBom) == 0 ? kBom.size() : 0;
    const std::size_t size = bytes_.size();
    while (pos < size) {
        std::size_t end = pos;
        while (end < size && bytes_[end] != '\r' && bytes_[end] != '\n') {
            ++end;
        }
        std::size_t next = end;
        if (next < size && bytes_[next] == '\r') {
            ++next;
        }
        if (next < size && bytes_[next] == '\n' && (next == end || bytes_[end] == '\r')) {
            ++next;
        }
        lines_.push_back({pos, end, next});
        pos = next;
    }
    linesValid_ = true;
}

void IniDocument::buildIndex() const {
    if (indexValid_) {
        return;
    }
    splitLines();
    sections_.clear();
    sectionByName_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(TrimIniBlanks(text(lines_[i])));
        if (!name) {
            continue;
        }
        if (!sections_.empty()) {
            sections_.back().end = i;
        }
        sections_.push_back({i, lines_.size()});
        // Only the first section of a name is ever searched.
        sectionByName_.emplace(FoldAsciiCase(*name), sections_.size() - 1);
    }
    indexValid_ = true;
}

std::optional<std::size_t> IniDocument::findKeyLine(std::size_t header, std::size_t end,
                                                    std::string_view key) const {
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto pair = SplitKeyLine(TrimIniBlanks(text(lines_[i])));
        if (pair && EqualsIgnoreAsciiCase(pair->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    buildIndex();
    const auto found = sectionByName_.find(FoldAsciiCase(TrimIniBlanks(section)));
    if (found == sectionByName_.end()) {
        return std::nullopt;
    }
    const Section& s = sections_[found->second];
    const auto line = findKeyLine(s.header, s.end, TrimIniBlanks(key));
    if (!line) {
        return std::nullopt;
    }
    const auto pair = SplitKeyLine(TrimIniBlanks(text(lines_[*line])));
    return std::string(StripOuterQuotes(pair->value));
}

std::optional<std::size_t> IniDocument::findSectionLinear(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(TrimIniBlanks(text(lines_[i])));
        if (name && EqualsIgnoreAsciiCase(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        if (HeaderName(TrimIniBlanks(text(lines_[i])))) {
            return i;
        }
    }
    return lines_.size();
}

std::string_view IniDocument::lineEnding() const {
    for (const Line& line : lines_) {
        if (line.next > line.end) {
            return std::string_view(bytes_).substr(line.end, line.next - line.end);
        }
    }
    return "\r\n";
}

Result IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    // Checked before trimming: a name that arrives with a line break is refused, not mended.
    if (BreaksIniLines(section) || BreaksIniLines(key) || BreaksIniLines(value)) {
        return Result::Fail("a line break or NUL cannot be written into an INI file");
    }
    section = TrimIniBlanks(section);
    key = TrimIniBlanks(key);
    if (key.find('=') != std::string_view::npos) {
        return Result::Fail("a key name cannot hold \"=\"");
    }
    if (section.empty() || key.empty()) {
        return Result::Fail("a section or key name cannot be empty");
    }
    if (key.front() == '[') {
        // Written out, such a key could read back as a section header.
        return Result::Fail("a key name cannot start with \"[\"");
    }

    // Writes scan the lines once instead of building the lookup index: a single write to a
    // large file must stay cheap.
    splitLines();
    const std::string eol(lineEnding());
    std::string newBytes;
    const auto header = findSectionLinear(section);
    if (header) {
        const std::size_t end = sectionEnd(*header);
        const auto keyLine = findKeyLine(*header, end, key);
        if (keyLine) {
            const Line& line = lines_[*keyLine];
            const auto pair = SplitKeyLine(TrimIniBlanks(text(line)));
            if (pair->value == value) {
                return Result::Ok();
            }
            newBytes.reserve(bytes_.size() + value.size() + 1);
            newBytes.append(bytes_, 0, line.begin);
            newBytes.append(pair->key).append("=").append(value);
            newBytes.append(bytes_, line.end, std::string::npos);
        } else {
            std::size_t last = *header;
            for (std::size_t i = *header + 1; i < end; ++i) {
                if (!TrimIniBlanks(text(lines_[i])).empty()) {
                    last = i;
                }
            }
            const Line& after = lines_[last];
            newBytes.append(bytes_, 0, after.next);
            if (after.next == after.end) {
                newBytes.append(eol);  // the last line of the file had no line ending
            }
            newBytes.append(key).append("=").append(value).append(eol);
            newBytes.append(bytes_, after.next, std::string::npos);
        }
    } else {
        newBytes = bytes_;
        if (!newBytes.empty() && newBytes.back() != '\n' && newBytes.back() != '\r' &&
            newBytes != kBom) {
            newBytes.append(eol);
        }
        newBytes.append("[").append(section).append("]").append(eol);
        newBytes.append(key).append("=").append(value).append(eol);
    }
    bytes_ = std::move(newBytes);
    linesValid_ = false;
    indexValid_ = false;
    return Result::Ok();
}

std::string ProfileGet(const IniDocument* doc, std::string_view section, std::string_view key,
                       const char* def, std::size_t size) {
    std::string result;
    std::optional<std::string> found;
    if (doc != nullptr) {
        found = doc->find(section, key);
    }
    if (found) {
        result = std::move(*found);
    } else if (def != nullptr) {
        // Trailing spaces of the default go, but never its first character.
        std::string_view d(def);
        while (d.size() > 1 && d.back() == ' ') {
            d.remove_suffix(1);
        }
        result = std::string(StripOuterQuotes(d));
    }
    if (size == 0) {
        return std::string();
    }
    if (result.size() > size - 1) {
        result.resize(size - 1);
    }
    return result;
}

std::string ProfileGetTrimmed(const IniDocument* doc, std::string_view section,
                              std::string_view key, const char* def, std::size_t size) {
    std::string value = ProfileGet(doc, section, key, def, size);
    const std::size_t first = value.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : value.substr(first);
}

}  // namespace brackmoor
