#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace brackmoor {

// The launcher settings file as every read and write names it; the name is matched without
// regard to letter case, so "Brackmoor.INI" and "Brackmoor.ini" are one file.
std::filesystem::path SettingsFilePath(const std::string& appPath);

// True when the application folder holds "Brackmoor.INI" in any letter case.
bool SettingsFileExists(const std::string& appPath);

// One launcher setting: a 500-character read with the default "None", leading blanks removed,
// so at most 499 characters come back. A missing key, section or file reads as "None"; a key
// with an empty value reads as "".
std::string ReadProfileValue(const std::string& appPath, std::string_view section,
                             std::string_view key);

// The number at the start of a setting's text (sign, digits, decimal point); 0 when the text
// does not start with a number, as "None" does not.
double ProfileNumber(std::string_view text);

// Writes the default settings file, every key of the default table in its order, as one atomic
// replacement: the file holds all of it or is left as it was.
Result WriteDefaultSettingsFile(const std::string& appPath);

}  // namespace brackmoor
