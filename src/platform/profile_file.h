#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ini_document.h"
#include "platform/result.h"

namespace brackmoor {

// INI profile files on disk. The file name is matched without regard to letter case, as on
// Windows: "Brackmoor.INI" and "Brackmoor.ini" name one file, and a write updates the file
// that exists whatever its case.
//
// Reads go through a cache of parsed files that is checked against the file's size,
// modification time and identity on every read, so an unchanged file is never parsed twice and
// a file changed by hand (or by another running copy) is seen at the next read.

// GetPrivateProfileString: see ProfileGet. A missing or unreadable file gives the default.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, const char* def, std::size_t size);

// The parsed file, shared with the cache; null when the file does not exist or cannot be read.
std::shared_ptr<const IniDocument> LoadProfile(const std::filesystem::path& file);

// The same, saying why a file that is there could not be read: `why` is left empty when the
// file does not exist, and otherwise names the cause (not a regular file, larger than
// kMaxWholeFileBytes, an I/O error, not enough memory). A pipe is never waited on.
std::shared_ptr<const IniDocument> LoadProfile(const std::filesystem::path& file, std::string* why);

// WritePrivateProfileString, atomic: the file is replaced whole or not at all.
Result WriteProfileString(const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view value);

// Several writes as one: under the folder's lock, `edit` changes the current content and the
// result replaces the file in one atomic step. When `edit` fails nothing is written. A missing
// file is created; an unchanged one is not rewritten. A file reached through a symbolic link is
// locked and replaced in the folder it really lives in, as ReplaceFileAtomically describes; a
// file that cannot be read (see LoadProfile) is not written.
Result UpdateProfile(const std::filesystem::path& file,
                     const std::function<Result(IniDocument&)>& edit);

// Forgets every cached file (tests use it to measure a cold read).
void ClearProfileCache();

}  // namespace brackmoor
