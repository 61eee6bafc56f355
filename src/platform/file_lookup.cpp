#include "platform/file_lookup.h"

#include <sys/stat.h>

#include "platform/ini_document.h"

namespace brackmoor {

bool ExistsAsGiven(const std::filesystem::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

std::optional<std::filesystem::path> FindInFolderIgnoringCase(const std::filesystem::path& folder,
                                                              std::string_view name) {
    const std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
    if (ExistsAsGiven(exact)) {
        return exact;
    }
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    for (const auto end = std::filesystem::directory_iterator(); it != end; it.increment(ec)) {
        if (ec) {
            return std::nullopt;
        }
        if (EqualsIgnoreAsciiCase(it->path().filename().native(), name)) {
            return it->path();
        }
    }
    return std::nullopt;
}

std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& file) {
    if (ExistsAsGiven(file)) {
        return file;
    }
    const auto found = FindInFolderIgnoringCase(FolderOf(file), file.filename().native());
    return found ? file.parent_path() / found->filename() : file;
}

}  // namespace brackmoor
