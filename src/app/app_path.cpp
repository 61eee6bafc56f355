#include "app/app_path.h"

#include <unistd.h>

#include <QStandardPaths>
#include <filesystem>

#include "platform/path_rules.h"

namespace brackmoor {

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || !IsPathSeparator(folder.back(), kNativePathStyle)) {
        folder += PathSeparator(kNativePathStyle);
    }
    return folder;
}

std::string ChooseAppPath(const std::string& programFolder) {
    if (::access(programFolder.c_str(), W_OK) == 0) {
        return WithTrailingSeparator(programFolder);
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    std::error_code ec;
    if (data.isEmpty()) {
        return WithTrailingSeparator(programFolder);
    }
    std::filesystem::create_directories(data.toStdString(), ec);
    if (ec) {
        return WithTrailingSeparator(programFolder);
    }
    return WithTrailingSeparator(data.toStdString());
}

}  // namespace brackmoor
