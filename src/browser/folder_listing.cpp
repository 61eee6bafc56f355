#include "browser/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

#include "browser/natural_order.h"
#include "platform/atomic_file.h"

namespace brackmoor {

namespace {

bool IsFolder(const std::filesystem::path& folder, const dirent* entry) {
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat st {};
    return ::stat((folder / entry->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

Result ListFolder(const std::filesystem::path& folder, FolderContents* contents) {
    contents->folders.clear();
    contents->files.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return Result::Fail(folder.string() + ": " + ErrnoText(errno));
    }
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            error = errno;
            break;
        }
        if (entry->d_name[0] == '.') {
            continue;
        }
        (IsFolder(folder, entry) ? contents->folders : contents->files).emplace_back(entry->d_name);
    }
    ::closedir(dir);
    if (error != 0) {
        return Result::Fail(folder.string() + ": " + ErrnoText(error));
    }
    SortNaturally(contents->folders);
    SortNaturally(contents->files);
    return Result::Ok();
}

}  // namespace brackmoor
