#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace brackmoor {

// The screenshots in "Snaps" (in the folder a run keeps them in): one per game key, written by the
// capture as key + ".jpg" and found whatever the letter case of the folder and the file.

// The screenshot a game shows: key + ".bmp" over key + ".jpg". Nothing when there is none.
// Safe to call from several threads.
std::optional<std::filesystem::path> FindScreenshot(const std::string& snapsHome,
                                                    const std::string& gameKey);

// The name the capture tab shows for a game: key + ".JPG".
std::string CaptureImageName(const std::string& gameKey);

// Where the capture writes a game's screenshot: key + ".jpg" in "Snaps" (the folder as it
// exists, whatever its letter case).
std::filesystem::path ScreenshotSavePath(const std::string& snapsHome, const std::string& gameKey);

}  // namespace brackmoor
