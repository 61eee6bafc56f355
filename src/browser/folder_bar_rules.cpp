#include "browser/folder_bar_rules.h"

#include <algorithm>

#include "launch/naming_rules.h"

namespace brackmoor {

bool IsVolumeRoot(const std::string& folder, const std::vector<Volume>& volumes, PathStyle style) {
    if (IsRootPath(folder, style)) {
        return true;
    }
    if (style == PathStyle::Windows) {
        return false;
    }
    const std::string bare = StripTrailingSeparator(folder, style);
    return std::any_of(volumes.begin(), volumes.end(),
                       [&](const Volume& v) { return v.root == bare; });
}

std::string VolumeOf(const std::string& folder, const std::vector<Volume>& volumes) {
    std::string best = "/";
    for (const Volume& volume : volumes) {
        const std::string& root = volume.root;
        const bool holds = folder == root || (folder.rfind(root, 0) == 0 &&
                                              (root.back() == '/' || folder[root.size()] == '/'));
        if (holds && root.size() > best.size()) {
            best = root;
        }
    }
    return best;
}

std::vector<std::string> FolderBarEntries(bool atRoot, const std::vector<std::string>& subfolders) {
    std::vector<std::string> entries;
    entries.reserve(subfolders.size() + 1);
    if (atRoot) {
        entries.emplace_back(kRootEntry);
    }
    entries.insert(entries.end(), subfolders.begin(), subfolders.end());
    return entries;
}

std::string FolderTarget(const std::string& entry, const std::string& driveRoot,
                         const std::string& currentGameDir, PathStyle style) {
    if (entry == kRootEntry) {
        return driveRoot;
    }
    return StripTrailingSeparator(currentGameDir, style) + PathSeparator(style) + entry;
}

std::optional<std::string> BackTarget(const std::string& currentGameDir, bool atRoot,
                                      PathStyle style) {
    if (atRoot) {
        return std::nullopt;
    }
    return ParentPath(currentGameDir, style);
}

}  // namespace brackmoor
