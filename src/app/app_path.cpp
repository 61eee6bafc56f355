#include "app/app_path.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "platform/path_rules.h"

#ifndef BRACKMOOR_INSTALL_BINDIR
#define BRACKMOOR_INSTALL_BINDIR "/usr/local/bin"
#endif

namespace brackmoor {

namespace {

// The folder as a path without a trailing separator, "." and ".." taken out, so that two
// spellings of one folder compare equal.
std::string Normal(const std::string& folder) {
    std::string normal = std::filesystem::path(folder).lexically_normal().string();
    while (normal.size() > 1 && IsPathSeparator(normal.back(), kNativePathStyle)) {
        normal.pop_back();
    }
    return normal;
}

// The folder with its links resolved where it exists; as given where it does not.
std::string Resolved(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(folder, ec);
    return ec ? folder : real.string();
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || !IsPathSeparator(folder.back(), kNativePathStyle)) {
        folder += PathSeparator(kNativePathStyle);
    }
    return folder;
}

std::string ChooseAppPath(const AppPathFacts& facts) {
    if (!facts.dataOption.empty()) {
        return WithTrailingSeparator(facts.dataOption);
    }
    const bool installed =
        !facts.installBinDir.empty() && Normal(facts.programFolder) == Normal(facts.installBinDir);
    if (installed && !facts.userDataFolder.empty()) {
        return WithTrailingSeparator(facts.userDataFolder);
    }
    if (!facts.programFolderWritable && !facts.userDataFolder.empty()) {
        return WithTrailingSeparator(facts.userDataFolder);
    }
    return WithTrailingSeparator(facts.programFolder);
}

Result MakeAppFolder(const std::string& appPath) {
    std::error_code ec;
    std::filesystem::create_directories(appPath, ec);
    if (ec || !std::filesystem::is_directory(appPath, ec)) {
        return Result::Fail("Cannot make the folder \"" + appPath + "\": " +
                            (ec ? ec.message() : std::string("a file of that name is there")));
    }
    return Result::Ok();
}

AppPathFacts CurrentAppPathFacts(const std::string& dataOption) {
    AppPathFacts facts;
    facts.programFolder = Resolved(QCoreApplication::applicationDirPath().toStdString());
    facts.installBinDir = Resolved(BRACKMOOR_INSTALL_BINDIR);
    facts.programFolderWritable = ::access(facts.programFolder.c_str(), W_OK) == 0;
    if (!dataOption.empty()) {
        std::error_code ec;
        facts.dataOption = std::filesystem::absolute(dataOption, ec).lexically_normal().string();
        if (ec) {
            facts.dataOption = dataOption;
        }
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    facts.userDataFolder = data.toStdString();
    return facts;
}

}  // namespace brackmoor
