#include "test_support.h"

#include <unistd.h>

#include <atomic>
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
