#include "settings/startup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/path_rules.h"
#include "platform/profile_file.h"
#include "settings/profile_values.h"
#include "settings/settings_schema.h"

namespace brackmoor {

namespace {

constexpr char kIniErrorHeader[] =
    "There was an INI error. Please edit the 'Brackmoor.INI'\n\r\n\r";

Message Critical(std::string text) {
    return {std::move(text), "Brackmoor", MessageIcon::Critical};
}
Message Information(std::string text) {
    return {std::move(text), "Brackmoor", MessageIcon::Information};
}

// Reads one location list into its slots and the short names of the used ones into `items`;
// false when a used slot holds no path separator, which ends the load.
bool ReadLocationList(LauncherSettings& s, const LocationList& list,
                      std::vector<std::string>& items) {
    for (int n = 1; n <= list.slots; ++n) {
        std::string& value = list.slot(s, n);
        value = ReadProfileValue(s.AppPath, list.section, std::to_string(n));
        if (value.empty()) {
            continue;
        }
        auto name = LastComponent(value, kNativePathStyle);
        if (!name) {
            return false;
        }
        items.push_back(std::move(*name));
    }
    return true;
}

// The load up to the emulator's settings; false where it must stop and take the missing-media
// path.
bool ReadSettings(SettingsLoad& load, const FolderProbe& probe) {
    LauncherSettings& s = load.settings;
    if (!ReadLocationList(s, ConfigList(), load.configItems)) {
        return false;
    }
    load.selectFirstConfig = !load.configItems.empty();
    if (!ReadLocationList(s, WorkbenchList(), load.workbenchItems.emplace())) {
        return false;
    }
    load.selectFirstWorkbench = true;
    const auto& text = TextSettings();
    auto read = [&](const TextSetting& setting) {
        setting.field(s) = ReadProfileValue(s.AppPath, setting.section, setting.key);
    };
    read(text[0]);  // StartGameDir, into CurrentGameDir
    switch (probe(s.CurrentGameDir)) {
        case FolderState::Present:
            load.folderBarPath = s.CurrentGameDir;
            break;
        case FolderState::Missing:
            load.messages.push_back(PathsWrongMessage());
            break;
        case FolderState::Unreadable:
            return false;
    }
    s.PreviousGameDir = s.CurrentGameDir;
    for (std::size_t i = 1; i < text.size(); ++i) {
        read(text[i]);
    }
    return true;
}

}  // namespace

FolderState ProbeFolder(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        return (path.empty() || errno == ENOENT || errno == ENOTDIR) ? FolderState::Missing
                                                                     : FolderState::Unreadable;
    }
    if (!S_ISDIR(st.st_mode)) {
        return FolderState::Unreadable;
    }
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        return FolderState::Unreadable;
    }
    ::closedir(dir);
    return FolderState::Present;
}

Message SnapsMissingMessage() {
    return Critical("No local 'Snaps' folder, making one now.");
}

Message PathsWrongMessage() {
    return Critical(
        "Some paths are wrong, Either WinUAE's Location, your game folder, config or workbench "
        "path. Please run Options\\Paths to fix this.");
}

Message MissingMediaMessage() {
    return Information("Missing media! Reverting to '" + SystemRoot(kNativePathStyle) +
                       "' \rEither wrong location of games in the INI file or missing CD/DVD. "
                       "Change\\Replace the CD and right click on the 'Folder Window' to refresh");
}

Message MissingExecutableMessage() {
    return Critical(std::string(kIniErrorHeader) + "WinUAE's executible location missing!");
}

Message MissingCommandLineMessage() {
    return Critical(std::string(kIniErrorHeader) + "WinUAE's commandline command is missing!");
}

Message NoConfigsMessage() {
    return Critical(std::string(kIniErrorHeader) + "There are no configs!");
}

Message DefaultSettingsMessage() {
    return Information(
        "You don't have a file called 'Brackmoor.INI' so Iam making a default one. Please change "
        "the options before continuing");
}

Message CannotWriteMessage(const std::string& what, const std::string& why) {
    return {"Cannot write " + what + ": " + why, "Brackmoor", MessageIcon::Exclamation};
}

Message CannotReadMessage(const std::string& what, const std::string& why) {
    return {"Cannot read " + what + ": " + why, "Brackmoor", MessageIcon::Exclamation};
}

void ShowPathsWrong(MessageSink& messages) {
    messages.show(PathsWrongMessage());
}

Result EnsureSnapsFolder(const std::string& snapsHome, const std::function<void()>& beforeMaking) {
    if (FindInFolderIgnoringCase(snapsHome, "Snaps")) {
        return Result::Ok();
    }
    if (beforeMaking) {
        beforeMaking();
    }
    std::error_code ec;
    std::filesystem::create_directory(std::filesystem::path(snapsHome) / "Snaps", ec);
    return ec ? Result::Fail(ec.message()) : Result::Ok();
}

SettingsLoad LoadSettings(const LauncherSettings& start, const FolderProbe& probe) {
    SettingsLoad load;
    load.settings = start;
    LauncherSettings& s = load.settings;
    // A file that cannot be read reads as missing keys, which ends the load below; the user is
    // told why first.
    std::string why;
    if (!LoadProfile(SettingsFilePath(s.AppPath), &why) && !why.empty()) {
        load.messages.push_back(
            CannotReadMessage("the settings file " + SettingsFilePath(s.AppPath).string(), why));
    }
    if (!ReadSettings(load, probe)) {
        const std::string root = SystemRoot(kNativePathStyle);
        load.messages.push_back(MissingMediaMessage());
        load.fileListPath = root;
        load.folderBarPath = root;
        s.PreviousGameDir = s.CurrentGameDir;
        s.CurrentGameDir = root;
        return load;
    }

    if (s.WinUAEName.empty()) {
        load.messages.push_back(MissingExecutableMessage());
    }
    if (s.WinUAECommandLinePass.empty()) {
        load.messages.push_back(MissingCommandLineMessage());
    }
    if (s.ConfigLocations[1].empty()) {
        load.messages.push_back(NoConfigsMessage());
    }
    return load;
}

}  // namespace brackmoor
