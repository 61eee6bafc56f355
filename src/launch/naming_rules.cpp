#include "launch/naming_rules.h"

#include <algorithm>

#include "platform/ini_document.h"

namespace brackmoor {

namespace {

// The last six characters, upper-cased, equal " <letter>.ADF", ".ADZ" or ".DMS".
bool IsSetDisk(std::string_view diskPath, char letter) {
    if (diskPath.size() < 6) {
        return false;
    }
    const std::string tail = UpperAscii(diskPath.substr(diskPath.size() - 6));
    if (tail[0] != ' ' || tail[1] != letter) {
        return false;
    }
    const std::string_view extension = std::string_view(tail).substr(2);
    return extension == ".ADF" || extension == ".ADZ" || extension == ".DMS";
}

}  // namespace

std::string UpperAscii(std::string_view text) {
    return FoldAsciiCase(text);
}

std::optional<std::string> LastPathComponent(std::string_view path, PathStyle style,
                                             std::string* why) {
    auto component = LastComponent(path, style);
    if (!component && why != nullptr) {
        *why = "\"" + std::string(path) + "\" is not a full path: it holds no folder separator";
    }
    return component;
}

std::string StripTrailingBackslash(std::string_view path, PathStyle style) {
    return StripTrailingSeparator(path, style);
}

std::string StripSetLetter(std::string_view name) {
    if (name.size() >= 2 && name[name.size() - 2] == ' ') {
        const char letter = name.back();
        if (letter >= 'A' && letter <= 'Z') {
            name.remove_suffix(2);
        }
    }
    return std::string(name);
}

std::optional<std::string> GameKey(std::string_view listedName) {
    if (listedName.size() < 5) {
        return std::nullopt;
    }
    std::string key = StripSetLetter(UpperAscii(listedName.substr(0, listedName.size() - 4)));
    // The key names an INI section, which is read back trimmed, and a screenshot file; a key of
    // blanks alone would name neither.
    if (TrimIniBlanks(key).empty()) {
        return std::nullopt;
    }
    return key;
}

bool IsADisk(std::string_view diskPath) {
    return IsSetDisk(diskPath, 'A');
}

bool IsCDisk(std::string_view diskPath) {
    return IsSetDisk(diskPath, 'C');
}

bool IsDDisk(std::string_view diskPath) {
    return IsSetDisk(diskPath, 'D');
}

std::string GameFolder(std::string_view entry, std::string_view driveText,
                       std::string_view folderPath, PathStyle style) {
    const char separator = PathSeparator(style);
    if (entry == kRootEntry) {
        if (style == PathStyle::Windows) {
            std::string root(TrimIniBlanks(driveText.substr(0, 3)));
            return root + separator;
        }
        std::string root(driveText);
        if (root.empty() || root.back() != separator) {
            root += separator;
        }
        return root;
    }
    std::string folder = StripTrailingBackslash(folderPath, style);
    folder += separator;
    if (!entry.empty()) {  // no entry selected: the folder itself, without a doubled separator
        folder += entry;
        folder += separator;
    }
    return style == PathStyle::Windows ? UpperAscii(folder) : folder;
}

std::string DiskPath(std::string_view gameFolder, std::string_view listedName, PathStyle style) {
    std::string path(gameFolder);
    path += listedName;
    return style == PathStyle::Windows ? UpperAscii(path) : path;
}

int FileSelection::nextSelected(int from) const {
    const int count = this->count();
    for (int i = std::max(from, 0); i < count; ++i) {
        if (isSelected(i)) {
            return i;
        }
    }
    return -1;
}

int FirstSelectedIndex(const FileSelection& files) {
    return std::max(files.nextSelected(0), 0);
}

void DeselectAllFiles(FileSelection& files) {
    // Each step runs the list's selection handling, which sees the selection as it is then.
    for (int i = files.nextSelected(0); i >= 0; i = files.nextSelected(i + 1)) {
        files.setSelected(i, false);
    }
}

}  // namespace brackmoor
