#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brackmoor {

class PictureClipboard;

// What a screenshot save did. The save itself shows nothing; the window decides what the user
// is told.
enum class CaptureOutcome {
    Saved,        // the JPEG is the game's screenshot now
    UnknownSize,  // the size text is none of the three choices: nothing saved, nothing to say
    NoPicture,    // the clipboard holds no picture: nothing saved
    NotAPicture,  // no picture that can be saved (a file that is none, a picture that is damaged
                  // or far too large): nothing saved, `description` says why
    WriteFailed,  // the JPEG writer's error (number, source, description, reason)
};

struct CaptureResult {
    CaptureOutcome outcome = CaptureOutcome::Saved;
    std::string description;
    std::string reason;
    int number = 0;
    std::string source;
};

// The size choices, compared exactly, letter case included.
inline constexpr const char* kSizeFull = "Full 100%";
inline constexpr const char* kSizeHalf = "Half 50%";
inline constexpr const char* kSizeThird = "Third 33%";

// 1, 2 or 3 for the three size texts; nothing for any other text.
std::optional<int> SizeDivisor(std::string_view sizeText);

// The picture reduced by `divisor`: the picture itself for 1, otherwise the picture drawn
// stretched (smoothly) into a picture of width / divisor x height / divisor, each rounded to a
// whole number of pixels and at least 1.
QImage ReducedPicture(const QImage& picture, int divisor);

// Saves `picture` as the game's screenshot `target` (SnapsPath + "Snaps/" + game key + ".jpg"):
// reduced as the size text says, written by SaveDibToJpg with the compression text's leading
// number rounded to a whole number (halves to the even one) as the quality, replacing an
// existing screenshot, which keeps its times and permission bits. The size text is looked at
// first: any other text saves nothing, whatever the clipboard holds. A picture of more than
// kLargestPicturePixels is refused (NotAPicture) before any copy of it is made.
CaptureResult SaveScreenshot(const std::optional<QImage>& picture, std::string_view sizeText,
                             std::string_view compressionText, const std::filesystem::path& target);

// The same with the picture the clipboard holds; a picture it holds but cannot give (damaged,
// far too large) is NotAPicture, with the clipboard's reason.
CaptureResult SaveClipboardScreenshot(PictureClipboard& clipboard, std::string_view sizeText,
                                      std::string_view compressionText,
                                      const std::filesystem::path& target);

// The same with a picture file (PNG, JPEG or BMP, known by its content) dropped or pasted on the
// screenshot. Anything else, or a file that cannot be read, saves nothing and says why.
CaptureResult SavePictureFileAsScreenshot(const std::filesystem::path& pictureFile,
                                          std::string_view sizeText,
                                          std::string_view compressionText,
                                          const std::filesystem::path& target);

}  // namespace brackmoor
