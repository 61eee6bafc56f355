#include "test_support.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

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
    std::string out = "[Brackmoor]\r\nStartGameDir=" + startDir +
                      "\r\n[WinUAE Compatability]\r\nWinUAEName=" + exe +
                      "\r\nWinUAECommandLinePass=" + pass +
                      "\r\nFloppyCountName=nr_floppies\r\nFloppy0Name=floppy0\r\n"
                      "Floppy1Name=floppy1\r\nFloppy2Name=floppy2\r\nFloppy3Name=floppy3\r\n";
    auto slots = [&](const char* section, const std::vector<std::string>& used, int count) {
        out += std::string("[") + section + "]\r\n";
        for (int n = 1; n <= count; ++n) {
            const std::size_t i = static_cast<std::size_t>(n - 1);
            out += std::to_string(n) + "=" + (i < used.size() ? used[i] : "") + "\r\n";
        }
    };
    slots("WorkBench Locations", workbenches, 10);
    slots("Config Locations", configs, 50);
    return out + extra;
}

}  // namespace brackmoor::test
