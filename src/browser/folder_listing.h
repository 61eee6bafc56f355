#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace brackmoor {

// The immediate subfolders and files of a folder, each in name order. Hidden entries (names
// starting with ".") are left out, as a file manager does.
struct FolderContents {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

// Reads `folder`; fails with the reason when it cannot be read (removed, unmounted, no access).
Result ListFolder(const std::filesystem::path& folder, FolderContents* contents);

}  // namespace brackmoor
