#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/path_rules.h"
#include "platform/volumes.h"

namespace brackmoor {

// The folder bar's rules over its current folder, written once for both path styles.

// True when `folder` is the root of a drive or volume: "C:\" on Windows; "/" or the mount
// point of a listed volume on Linux. The folder list then begins with "*Root*" and the back
// button stops there.
bool IsVolumeRoot(const std::string& folder, const std::vector<Volume>& volumes, PathStyle style);

// The root of the volume that holds `folder`: the longest volume root it lies under ("/" for
// any absolute path when no other volume holds it).
std::string VolumeOf(const std::string& folder, const std::vector<Volume>& volumes);

// The entries of the folder list: "*Root*" at a root, then the subfolders' names.
std::vector<std::string> FolderBarEntries(bool atRoot, const std::vector<std::string>& subfolders);

// The folder an entry names: the chosen drive's root for "*Root*", else the current folder
// (without a trailing separator), a separator and the entry. An empty entry (nothing selected)
// names the current folder itself.
std::string FolderTarget(const std::string& entry, const std::string& driveRoot,
                         const std::string& currentGameDir, PathStyle style);

// The folder the back button goes to; nothing at a root.
std::optional<std::string> BackTarget(const std::string& currentGameDir, bool atRoot,
                                      PathStyle style);

}  // namespace brackmoor
