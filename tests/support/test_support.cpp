#include "test_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "settings/settings_schema.h"

namespace brackmoor::test {

MessageAnswer RecordingMessages::show(const Message& message) {
    shown.push_back(message);
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

std::vector<std::string> RecordingMessages::texts() const {
    std::vector<std::string> out;
    for (const Message& m : shown) {
        out.push_back(m.text);
    }
    return out;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("brackmoor-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::filesystem::path FillFileSystem(const std::filesystem::path& folder) {
    // Never a real disk: only a small file system made for the purpose is filled.
    if (std::filesystem::space(folder).available > (std::uintmax_t{64} << 20)) {
        throw std::runtime_error(folder.string() + " is on a large file system; not filled");
    }
    const std::filesystem::path filler = folder / "filler";
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot create " + filler.string());
    }
    // Big pieces first, then single bytes for what is left of the last block.
    const std::string piece(64 * 1024, 'f');
    for (std::size_t size : {piece.size(), std::size_t{1}}) {
        while (::write(fd, piece.data(), size) > 0) {
        }
    }
    const int error = errno;
    ::close(fd);
    if (error != ENOSPC) {
        throw std::runtime_error("cannot fill the file system holding " + folder.string());
    }
    return filler;
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string SettingsFile::text() const {
    LauncherSettings values;
    values.CurrentGameDir = startDir;
    values.WinUAEName = exe;
    values.WinUAECommandLinePass = pass;
    values.FloppyCountName = "nr_floppies";
    for (std::size_t d = 0; d < values.FloppyName.size(); ++d) {
        values.FloppyName[d] = "floppy" + std::to_string(d);
    }
    for (std::size_t i = 0; i < configs.size(); ++i) {
        ConfigList().slot(values, static_cast<int>(i + 1)) = configs[i];
    }
    for (std::size_t i = 0; i < workbenches.size(); ++i) {
        WorkbenchList().slot(values, static_cast<int>(i + 1)) = workbenches[i];
    }
    std::string out;
    if (Result made = ApplySettingsEntries(out, SettingsEntriesOf(values, false, "")); !made) {
        throw std::runtime_error("cannot make a settings file: " + made.error());
    }
    return out + extra;
}

}  // namespace brackmoor::test
