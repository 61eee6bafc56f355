#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/result.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

// What a look at a folder found.
enum class FolderState {
    Present,     // a folder that can be listed
    Missing,     // nothing there (on a readable volume)
    Unreadable,  // there, but it cannot be listed: an empty drive, a lost volume, a file
};
using FolderProbe = std::function<FolderState(const std::string& path)>;
FolderState ProbeFolder(const std::string& path);

// The messages of start-up, each with its text and icon.
Message SnapsMissingMessage();
Message PathsWrongMessage();
Message MissingMediaMessage();
Message MissingExecutableMessage();
Message MissingCommandLineMessage();
Message NoConfigsMessage();
Message DefaultSettingsMessage();
// The folder or file could not be written; `what` names it, `why` is the reason.
Message CannotWriteMessage(const std::string& what, const std::string& why);
// The settings file is there but cannot be read (too large, not a file, an I/O error).
Message CannotReadMessage(const std::string& what, const std::string& why);

// "Some paths are wrong ...": shown by start-up, the launches and the folder bar.
void ShowPathsWrong(MessageSink& messages);

// Makes the "Snaps" folder in `snapsHome` when nothing of that name (in any letter
// case) is there; `beforeMaking` runs first, so that the user is told before the folder
// appears.
Result EnsureSnapsFolder(const std::string& snapsHome, const std::function<void()>& beforeMaking);

// What loading the launcher settings gives the windows to show, in the order it happened.
struct SettingsLoad {
    LauncherSettings settings;
    // The configuration choice list: one item per used slot, in slot order.
    std::vector<std::string> configItems;
    bool selectFirstConfig = false;
    // The Workbench choice list after "NONE"; unset when the load stopped before filling it.
    std::optional<std::vector<std::string>> workbenchItems;
    // "NONE" is chosen only once the whole list was read.
    bool selectFirstWorkbench = false;
    // Where the folder bar and, after a failure, the file list are pointed.
    std::optional<std::string> folderBarPath;
    std::optional<std::string> fileListPath;
    // Messages to show, in order.
    std::vector<Message> messages;
};

// Reads the launcher settings into a copy of `start` (whose AppPath names the folder), checks
// them and collects what to show. A location without a path separator (the "None" of a missing
// slot included) or a start folder that cannot be read ends the load: the user is told that the
// media is missing and the folders fall back to the system root.
SettingsLoad LoadSettings(const LauncherSettings& start, const FolderProbe& probe = ProbeFolder);

}  // namespace brackmoor
