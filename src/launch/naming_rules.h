#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_rules.h"

namespace brackmoor {

// The small text rules that turn paths and listed disk-image names into the names the rest of
// the program works with. Every rule takes the path style, so the Windows behaviour is tested on
// Linux too; callers in the program pass kNativePathStyle.

// ASCII-only upper-casing: bytes of UTF-8 sequences are left alone, so names stay valid.
std::string UpperAscii(std::string_view text);

// The text after the last separator ("" for a path ending in one). A path without any
// separator, the empty string included, has none: the result is empty and `why` (when given)
// says so. The start-up load stops on that failure.
std::optional<std::string> LastPathComponent(std::string_view path,
                                             PathStyle style = kNativePathStyle,
                                             std::string* why = nullptr);

// The path without one trailing separator; "C:\" gives "C:".
std::string StripTrailingBackslash(std::string_view path, PathStyle style = kNativePathStyle);

// The name without a trailing blank plus capital letter ("Lemmings A" -> "Lemmings"). Lower-case
// letters do not match; callers pass upper-case names.
std::string StripSetLetter(std::string_view name);

// The key a game's settings, note and screenshot are filed under: the listed name upper-cased,
// without its last four characters (dot and extension) and without a set letter. A name that
// gives no usable key (shorter than five characters, or a key that would be empty or only
// blanks) has none: the callers then skip the record, note and screenshot.
std::optional<std::string> GameKey(std::string_view listedName);

// Lettered-set tests over the last six characters of a disk path (" A.ADF", " A.ADZ",
// " A.DMS" ...). The path is upper-cased first, so a path written in its real letter case
// tests as its upper-cased form does.
bool IsADisk(std::string_view diskPath);
bool IsCDisk(std::string_view diskPath);
bool IsDDisk(std::string_view diskPath);

// The folder bar entry that stands for the root of the chosen drive or volume.
inline constexpr std::string_view kRootEntry = "*Root*";

// The folder the listed disk images live in, ending in a separator.
//   entry:       the item selected in the folder list (lstFolders)
//   driveText:   Windows: the drive box's text ("c: [GAMES]"), of which the first three
//                characters, trimmed, name the drive; Posix: the root (mount point) of the
//                volume chosen in the drive list
//   folderPath:  the path of the hidden directory list (dlbFolders)
// For "*Root*" the drive's root is returned as it stands (Windows "c:\", not upper-cased).
// Otherwise the folder is folderPath + separator + entry + separator, upper-cased on Windows;
// on Posix it keeps its real letter case, because an upper-cased path names no file there.
std::string GameFolder(std::string_view entry, std::string_view driveText,
                       std::string_view folderPath, PathStyle style = kNativePathStyle);

// The full path of a listed disk image: GameFolder + listed name, upper-cased as a whole on
// Windows and kept in its real letter case on Posix.
std::string DiskPath(std::string_view gameFolder, std::string_view listedName,
                     PathStyle style = kNativePathStyle);

// The selection of the file list (flbFiles), as the launch operations see it. The file list
// window implements it: setSelected must make the item the focused one when it selects it, and
// must run the list's selection handling (which reloads the media window) before it returns.
class FileSelection {
public:
    virtual ~FileSelection() = default;
    virtual int count() const = 0;
    virtual bool isSelected(int index) const = 0;
    virtual void setSelected(int index, bool selected) = 0;
    // The position of the first selected item at or after `from`, or -1 when there is none.
    // This asks every item from `from` on; a list that knows its selection answers at once.
    virtual int nextSelected(int from) const;
};

// The position of the first selected item, or 0 when none is selected.
int FirstSelectedIndex(const FileSelection& files);

// Unselects every selected item, from position 0 upwards, one item at a time.
void DeselectAllFiles(FileSelection& files);

}  // namespace brackmoor
