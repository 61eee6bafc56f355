#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "platform/ini_document.h"
#include "platform/result.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

// One disk-image path per emulator floppy drive 0..3, or empty. Drives are filled from drive 0
// upwards, so an empty slot is never followed by a used one.
using DriveSlots = std::array<std::string, 4>;

// The section the launcher keeps in every emulator configuration it rewrites.
inline constexpr std::string_view kEmulatorSection = "Brackmoor";

// The names of the configuration keys the rewrite writes, as the launcher settings give them.
// A type name still reading "None" is written as a key named "None": the four type writes then
// share that one key.
struct EmulatorKeyNames {
    std::string count;
    std::array<std::string, 4> image;
    std::array<std::string, 4> type;
};

EmulatorKeyNames KeyNamesFrom(const LauncherSettings& settings);

// The launcher's section written into a configuration in memory, by the writes below, in this
// order, each with the semantics of a profile write (an existing key changes in place, a new
// key goes to the end of the section, the section goes to the end of the file):
//   count = "4"; type0..type3 = "0";
//   when disableUnused: type0..type3 = "-1", then count = d+1 and type d = "0" for every used
//   drive d; finally image0..image3 = the slots, empty ones too.
// Every key name and disk path is checked before the first write, so a refused input leaves
// `document` exactly as it was and the reason names the setting or the drive.
Result ApplyEmulatorSection(IniDocument& document, const DriveSlots& slots, bool disableUnused,
                            const EmulatorKeyNames& keys);

// Rewrites the launcher's section of the configuration file `config` as ApplyEmulatorSection
// does, as one atomic replacement of the file under the folder's lock: a crash or a full disk
// leaves the old file or the new one, and the emulator's own lines stay byte for byte.
// Fails, leaving the file untouched, when the file does not exist or is read-only, its folder
// cannot be opened, a key name is empty or refused, or a disk path holds a line break or NUL.
// The emulator must not be started on a configuration whose rewrite failed.
Result RewriteEmulatorConfig(const std::filesystem::path& config, const DriveSlots& slots,
                             bool disableUnused, const EmulatorKeyNames& keys);

}  // namespace brackmoor
