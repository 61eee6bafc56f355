#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace brackmoor {

// True when an entry of that name is there, without following it: a dangling link exists.
bool ExistsAsGiven(const std::filesystem::path& path);

// The folder `file` lives in: its parent, or "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

// The entry of `folder` whose name equals `name` without regard to ASCII letter case, as
// Windows matches file names; an exact match wins. Nothing when there is none or the folder
// cannot be read.
std::optional<std::filesystem::path> FindInFolderIgnoringCase(const std::filesystem::path& folder,
                                                              std::string_view name);

// `file` as it exists on disk when its last component differs only in letter case; `file`
// itself when it exists as given or not at all (the name a new file would get).
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& file);

}  // namespace brackmoor
