#include "launch/config_rewrite.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/profile_file.h"

namespace brackmoor {

namespace {

// A key name the profile writer would refuse or could not read back as the same key.
Result CheckKeyName(const std::string& name, const std::string& setting) {
    const std::string_view trimmed = TrimIniBlanks(name);
    if (trimmed.empty()) {
        return Result::Fail("the key name " + setting + " is empty");
    }
    if (BreaksIniLines(name) || trimmed.find('=') != std::string_view::npos ||
        trimmed.front() == '[') {
        return Result::Fail("the key name " + setting + " (\"" + name +
                            "\") cannot be written into a configuration");
    }
    return Result::Ok();
}

Result CheckInputs(const DriveSlots& slots, const EmulatorKeyNames& keys) {
    Result checked = CheckKeyName(keys.count, "FloppyCountName");
    for (int d = 0; d < 4 && checked; ++d) {
        const std::string n = std::to_string(d);
        checked = CheckKeyName(keys.type[d], "Floppy" + n + "TypeName");
        if (checked) {
            checked = CheckKeyName(keys.image[d], "Floppy" + n + "Name");
        }
    }
    for (int d = 0; d < 4 && checked; ++d) {
        if (BreaksIniLines(slots[d])) {
            checked = Result::Fail("the disk path for drive " + std::to_string(d) +
                                   " holds a line break");
        }
    }
    return checked;
}

}  // namespace

EmulatorKeyNames KeyNamesFrom(const LauncherSettings& settings) {
    return {settings.FloppyCountName, settings.FloppyName, settings.FloppyTypeName};
}

Result ApplyEmulatorSection(IniDocument& document, const DriveSlots& slots, bool disableUnused,
                            const EmulatorKeyNames& keys) {
    Result checked = CheckInputs(slots, keys);
    if (!checked) {
        return checked;
    }
    // After the checks above no write can be refused; a failure here is still passed on rather
    // than hidden, and UpdateProfile then writes nothing.
    IniDocument edited = document;
    const auto write = [&](const std::string& key, std::string_view value) {
        return edited.set(kEmulatorSection, key, value);
    };
    Result r = write(keys.count, "4");
    for (int d = 0; d < 4 && r; ++d) {
        r = write(keys.type[d], "0");
    }
    if (disableUnused) {
        for (int d = 0; d < 4 && r; ++d) {
            r = write(keys.type[d], "-1");
        }
        for (int d = 0; d < 4 && r; ++d) {
            if (!slots[d].empty()) {
                r = write(keys.count, std::to_string(d + 1));
            }
        }
        for (int d = 0; d < 4 && r; ++d) {
            if (!slots[d].empty()) {
                r = write(keys.type[d], "0");
            }
        }
    }
    for (int d = 0; d < 4 && r; ++d) {
        r = write(keys.image[d], slots[d]);
    }
    if (r) {
        document = std::move(edited);
    }
    return r;
}

Result RewriteEmulatorConfig(const std::filesystem::path& config, const DriveSlots& slots,
                             bool disableUnused, const EmulatorKeyNames& keys) {
    Result checked = CheckInputs(slots, keys);
    if (!checked) {
        return checked;
    }
    // The profile writer would create a missing file; a configuration that is not there is a
    // wrong path, and an emulator started on a file holding only our section would run a
    // machine the user never chose.
    const std::filesystem::path target = ResolveIgnoringCase(config);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return Result::Fail(errno == ENOENT ? std::string("the file does not exist")
                                            : ErrnoText(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        return Result::Fail("it is not a file");
    }
    return UpdateProfile(target, [&](IniDocument& document) {
        return ApplyEmulatorSection(document, slots, disableUnused, keys);
    });
}

}  // namespace brackmoor
