#pragma once

#include <filesystem>
#include <optional>
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

// The screenshot of a game in the application folder's "Snaps": game key + ".bmp", else game
// key + ".jpg", each found whatever the letter case of the folder and the file. Nothing when
// there is none.
std::optional<std::filesystem::path> FindScreenshot(const std::string& appPath,
                                                    const std::string& gameKey);

}  // namespace brackmoor
