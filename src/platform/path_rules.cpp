#include "platform/path_rules.h"

#include <cctype>

namespace brackmoor {

char PathSeparator(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

bool IsPathSeparator(char c, PathStyle style) {
    return c == '\\' || (style == PathStyle::Posix && c == '/');
}

std::optional<std::string> LastComponent(std::string_view path, PathStyle style) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1], style)) {
            return std::string(path.substr(i));
        }
    }
    return std::nullopt;
}

std::string StripTrailingSeparator(std::string_view path, PathStyle style) {
    if (!path.empty() && IsPathSeparator(path.back(), style)) {
        path.remove_suffix(1);
    }
    return std::string(path);
}

bool IsRootPath(std::string_view path, PathStyle style) {
    if (style == PathStyle::Posix) {
        return path == "/";
    }
    return path.size() == 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

std::string ParentPath(std::string_view path, PathStyle style) {
    if (IsRootPath(path, style)) {
        return std::string(path);
    }
    const std::string trimmed = StripTrailingSeparator(path, style);
    std::size_t cut = trimmed.size();
    while (cut > 0 && trimmed[cut - 1] != PathSeparator(style)) {
        --cut;
    }
    if (cut == 0) {
        return std::string();  // a bare name has no folder
    }
    std::string parent = trimmed.substr(0, cut);  // ends in the separator
    if (!IsRootPath(parent, style) && parent.size() > 1) {
        parent.pop_back();
    }
    return parent;
}

std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style) {
    std::string joined = StripTrailingSeparator(folder, style);
    joined += PathSeparator(style);
    joined += name;
    return joined;
}

std::string SystemRoot(PathStyle style) {
    return style == PathStyle::Windows ? "C:\\" : "/";
}

}  // namespace brackmoor
