#include "app/app_path.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "platform/path_rules.h"
#include "settings/profile_values.h"

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

AppFolders ChooseAppFolders(const AppPathFacts& facts) {
    if (!facts.dataOption.empty()) {
        const std::string both = WithTrailingSeparator(facts.dataOption);
        return {both, both};
    }
    const bool installed =
        !facts.installBinDir.empty() && Normal(facts.programFolder) == Normal(facts.installBinDir);
    const bool haveUserFolders = !facts.userConfigFolder.empty() && !facts.userDataFolder.empty();
    if ((installed || !facts.programFolderWritable) && haveUserFolders) {
        const std::string snaps = WithTrailingSeparator(facts.userDataFolder);
        return {facts.settingsInDataFolder ? snaps : WithTrailingSeparator(facts.userConfigFolder),
                snaps};
    }
    const std::string portable = WithTrailingSeparator(facts.programFolder);
    return {portable, portable};
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
    facts.userConfigFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    facts.userDataFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    const auto hasSettings = [](const std::string& folder) {
        return !folder.empty() && SettingsFileExists(WithTrailingSeparator(folder));
    };
    facts.settingsInDataFolder =
        hasSettings(facts.userDataFolder) && !hasSettings(facts.userConfigFolder);
    return facts;
}

}  // namespace brackmoor
