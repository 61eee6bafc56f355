#include "options/emulator_presets.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"

namespace brackmoor {

namespace {

constexpr std::size_t kMostConfigurations = 50;

// WinUAE's own configuration format, which Amiberry reads too. The launcher's section at the
// end of the file adds the drives; the Kickstart is the emulator's own choice.
std::vector<StarterConfiguration> UaeStarters() {
    return {
        {"A500.uae",
         "config_description=Amiga 500 (made by Brackmoor)\n"
         "use_gui=no\n"
         "cpu_model=68000\n"
         "chipset=ocs\n"
         "chipmem_size=1\n"
         "bogomem_size=2\n"},
        {"A1200.uae",
         "config_description=Amiga 1200 (made by Brackmoor)\n"
         "use_gui=no\n"
         "cpu_model=68020\n"
         "chipset=aga\n"
         "chipmem_size=4\n"
         "bogomem_size=0\n"},
    };
}

// FS-UAE takes a configuration given on its command line only when the name ends in
// ".fs-uae"; its model names bring the whole machine, Kickstart replacement included.
std::vector<StarterConfiguration> FsUaeStarters() {
    return {
        {"A500.fs-uae", "[fs-uae]\namiga_model = A500\n"},
        {"A1200.fs-uae", "[fs-uae]\namiga_model = A1200\n"},
    };
}

std::vector<EmulatorPreset> MakePresets() {
    EmulatorPreset winuae;
    winuae.name = "WinUAE";
    winuae.programNames = {"winuae", "WinUAE.exe"};
    winuae.fallbackProgram = "C:\\Games\\WinUAE\\WinUAE.exe";
    winuae.commandLinePass = "-config=";
    winuae.floppyCountName = "nr_floppies";
    winuae.floppyNames = {"floppy0", "floppy1", "floppy2", "floppy3"};
    winuae.floppyTypeNames = {"floppy0type", "floppy1type", "floppy2type", "floppy3type"};
    winuae.starters = UaeStarters();

    // FS-UAE's own drive keys: an empty floppy_drive_N leaves the drive empty, where an empty
    // uae_floppyN would put the configuration's own folder into it. Its uae_floppyNtype keys
    // still switch a drive off. "--" takes no value, so the configuration path follows it as
    // an argument of its own.
    EmulatorPreset fsuae;
    fsuae.name = "FS-UAE";
    fsuae.programNames = {"fs-uae"};
    fsuae.usualPlaces = {"/usr/bin/fs-uae", "/usr/games/fs-uae", "/usr/local/bin/fs-uae"};
    fsuae.commandLinePass = "-- ";
    fsuae.floppyCountName = "floppy_drive_count";
    fsuae.floppyNames = {"floppy_drive_0", "floppy_drive_1", "floppy_drive_2", "floppy_drive_3"};
    fsuae.floppyTypeNames = {"uae_floppy0type", "uae_floppy1type", "uae_floppy2type",
                             "uae_floppy3type"};
    fsuae.starters = FsUaeStarters();

    // Amiberry: "amiberry --config <file>" with WinUAE's key names.
    EmulatorPreset amiberry = winuae;
    amiberry.name = "Amiberry";
    amiberry.programNames = {"amiberry"};
    amiberry.usualPlaces = {"/usr/bin/amiberry", "/usr/local/bin/amiberry",
                            "/opt/amiberry/amiberry"};
    amiberry.fallbackProgram.clear();
    amiberry.commandLinePass = "--config ";

    return {winuae, fsuae, amiberry};
}

bool IsProgramFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

bool IsExistingFile(const std::string& entry) {
    std::error_code ec;
    return !entry.empty() && std::filesystem::is_regular_file(ResolveIgnoringCase(entry), ec);
}

}  // namespace

const std::vector<EmulatorPreset>& EmulatorPresets() {
    static const std::vector<EmulatorPreset> presets = MakePresets();
    return presets;
}

const EmulatorPreset* FindEmulatorPreset(std::string_view name) {
    for (const EmulatorPreset& preset : EmulatorPresets()) {
        if (preset.name == name) {
            return &preset;
        }
    }
    return nullptr;
}

const EmulatorPreset* MatchEmulatorPreset(std::string_view commandLinePass,
                                          std::string_view floppyCountName,
                                          const std::array<std::string, 4>& floppyNames) {
    const EmulatorPreset* match = nullptr;
    for (const EmulatorPreset& preset : EmulatorPresets()) {
        if (preset.floppyCountName == floppyCountName && preset.floppyNames == floppyNames) {
            if (preset.commandLinePass == commandLinePass) {
                return &preset;
            }
            match = match != nullptr ? match : &preset;
        }
    }
    return match;
}

std::string FindEmulatorProgram(const EmulatorPreset& preset, std::string_view searchPath) {
    for (const std::string& name : preset.programNames) {
        std::size_t begin = 0;
        while (begin <= searchPath.size()) {
            std::size_t end = searchPath.find(':', begin);
            if (end == std::string_view::npos) {
                end = searchPath.size();
            }
            const std::string_view folder = searchPath.substr(begin, end - begin);
            // An empty PATH entry means the working folder, which says nothing about where the
            // emulator will be when the launcher is started from elsewhere.
            if (!folder.empty() && folder.front() == '/') {
                const std::filesystem::path candidate = std::filesystem::path(folder) / name;
                if (IsProgramFile(candidate)) {
                    return candidate.lexically_normal().string();
                }
            }
            begin = end + 1;
        }
    }
    for (const std::string& place : preset.usualPlaces) {
        if (IsProgramFile(place)) {
            return place;
        }
    }
    return preset.fallbackProgram;
}

bool NoConfigurationExists(const std::vector<std::string>& entries) {
    return std::none_of(entries.begin(), entries.end(), IsExistingFile);
}

std::filesystem::path StarterFolder(const std::string& appPath) {
    return std::filesystem::path(appPath) / "Configurations";
}

Result AddStarterConfigurations(const EmulatorPreset& preset, const std::string& appPath,
                                std::vector<std::string>& entries) {
    const std::filesystem::path folder = StarterFolder(appPath);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return Result::Fail(folder.string() + ": " + ec.message());
    }
    std::vector<std::string> made;
    for (const StarterConfiguration& starter : preset.starters) {
        const std::filesystem::path file = ResolveIgnoringCase(folder / starter.fileName);
        if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
            const Result written = CreateNewFile(file, starter.content);
            if (!written && !std::filesystem::exists(file, ec)) {
                return Result::Fail(file.string() + ": " + written.error());
            }
        }
        made.push_back(file.string());
    }
    for (const std::string& entry : entries) {
        if (made.size() < kMostConfigurations && IsExistingFile(entry) &&
            std::find(made.begin(), made.end(), entry) == made.end()) {
            made.push_back(entry);
        }
    }
    entries = std::move(made);
    return Result::Ok();
}

}  // namespace brackmoor
