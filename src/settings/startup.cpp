#include "settings/startup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/path_rules.h"
#include "settings/profile_values.h"

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

// Thrown inside the load when it must stop and take the failure path.
struct MissingMedia {};

std::string ShortName(const std::string& location) {
    auto name = LastComponent(location, kNativePathStyle);
    if (!name) {
        throw MissingMedia{};
    }
    return *name;
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

void ShowPathsWrong(MessageSink& messages) {
    messages.show(PathsWrongMessage());
}

Result EnsureSnapsFolder(const std::string& appPath, bool* created) {
    *created = false;
    if (FindInFolderIgnoringCase(appPath, "Snaps")) {
        return Result::Ok();
    }
    *created = true;
    std::error_code ec;
    std::filesystem::create_directory(std::filesystem::path(appPath) / "Snaps", ec);
    return ec ? Result::Fail(ec.message()) : Result::Ok();
}

SettingsLoad LoadSettings(const LauncherSettings& start, const FolderProbe& probe) {
    SettingsLoad load;
    load.settings = start;
    LauncherSettings& s = load.settings;
    auto read = [&](const char* section, const std::string& key) {
        return ReadProfileValue(s.AppPath, section, key);
    };
    try {
        for (int slot = 1; slot <= 50; ++slot) {
            s.ConfigLocations[slot] = read("Config Locations", std::to_string(slot));
            if (!s.ConfigLocations[slot].empty()) {
                load.configItems.push_back(ShortName(s.ConfigLocations[slot]));
            }
        }
        load.selectFirstConfig = !load.configItems.empty();
        load.workbenchItems.emplace();
        for (int slot = 1; slot <= 10; ++slot) {
            s.WorkBenchLocations[slot] = read("WorkBench Locations", std::to_string(slot));
            if (!s.WorkBenchLocations[slot].empty()) {
                load.workbenchItems->push_back(ShortName(s.WorkBenchLocations[slot]));
            }
        }
        s.CurrentGameDir = read("Brackmoor", "StartGameDir");
        switch (probe(s.CurrentGameDir)) {
            case FolderState::Present:
                load.folderBarPath = s.CurrentGameDir;
                break;
            case FolderState::Missing:
                load.messages.push_back(PathsWrongMessage());
                break;
            case FolderState::Unreadable:
                throw MissingMedia{};
        }
        s.PreviousGameDir = s.CurrentGameDir;
        s.WinUAEName = read("WinUAE Compatability", "WinUAEName");
        s.WinUAECommandLinePass = read("WinUAE Compatability", "WinUAECommandLinePass");
        s.FloppyCountName = read("WinUAE Compatability", "FloppyCountName");
        for (int drive = 0; drive < 4; ++drive) {
            s.FloppyName[drive] =
                read("WinUAE Compatability", "Floppy" + std::to_string(drive) + "Name");
        }
        for (int drive = 0; drive < 4; ++drive) {
            s.FloppyTypeName[drive] =
                read("WinUAE Compatability", "Floppy" + std::to_string(drive) + "TypeName");
        }
    } catch (const MissingMedia&) {
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
