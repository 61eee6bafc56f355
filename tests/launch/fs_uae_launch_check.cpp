// End-to-end check of a launch with a real emulator: FS-UAE under a private Xvfb display.
// A lettered set is launched from its A disk through the same calls the file list makes; the
// check passes when FS-UAE's log shows both disks inserted in drives 0 and 1.
//
// Exits with 77 (reported by CTest as skipped) when fs-uae or Xvfb is not installed.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <thread>

#include "adf_image.h"
#include "fake_file_list.h"
#include "launch/launch_plan.h"
#include "test_support.h"

namespace {

using namespace brackmoor;
using Clock = std::chrono::steady_clock;

constexpr int kSkip = 77;

std::optional<std::string> FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const std::string candidate = folders.substr(begin, end - begin) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        begin = end + 1;
    }
    return std::nullopt;
}

// A private X server on a display it picks itself (-displayfd), ended by its process id.
class XServer {
public:
    bool start(const std::string& xvfb) {
        int fds[2];
        if (::pipe(fds) != 0) {
            return false;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            ::dup2(fds[1], 3);
            ::execl(xvfb.c_str(), "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24",
                    "-nolisten", "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        const auto deadline = Clock::now() + std::chrono::seconds(15);
        while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
            pollfd p{fds[0], POLLIN, 0};
            if (::poll(&p, 1, 200) > 0) {
                char buffer[32];
                const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
                if (got <= 0) {
                    break;
                }
                number.append(buffer, static_cast<std::size_t>(got));
            }
        }
        ::close(fds[0]);
        if (number.find('\n') == std::string::npos) {
            return false;
        }
        display_ = ":" + number.substr(0, number.find('\n'));
        return true;
    }
    const std::string& display() const { return display_; }
    ~XServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Ends a process that is not our child: SIGTERM, then SIGKILL if it is still there after ten
// seconds.
void EndProcess(int pid) {
    ::kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if (::kill(pid, 0) != 0) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(pid, SIGKILL);
}

bool LogShows(const std::filesystem::path& log, const std::vector<std::string>& lines) {
    const std::string text = test::ReadFile(log);
    for (const std::string& line : lines) {
        if (text.find(line) == std::string::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main() {
    const auto fsUae = FindProgram("fs-uae");
    const auto xvfb = FindProgram("Xvfb");
    if (!fsUae || !xvfb) {
        std::cout << "fs-uae or Xvfb is not installed; skipped\n";
        return kSkip;
    }
    test::TempDir dir;
    const auto games = dir.path() / "Amiga Games";
    std::filesystem::create_directories(games);
    for (const char* name : {"Lemmings A.adf", "Lemmings B.adf", "Zool.adf"}) {
        test::WriteFile(games / name, BlankOfsImage("LEMMINGS"));
    }
    const auto config = dir.path() / "A500.fs-uae";
    test::WriteFile(config, "[fs-uae]\namiga_model = A500\n");
    const auto base = dir.path() / "fs-uae";

    LauncherSettings settings;
    settings.WinUAEName = *fsUae;
    settings.WinUAECommandLinePass = "--base-dir=" + base.string() + " ";
    settings.FloppyCountName = "uae_nr_floppies";
    for (int d = 0; d < 4; ++d) {
        settings.FloppyName[d] = "uae_floppy" + std::to_string(d);
        settings.FloppyTypeName[d] = "uae_floppy" + std::to_string(d) + "type";
    }
    settings.ConfigLocations[1] = config.string();

    XServer x;
    if (!x.start(*xvfb)) {
        std::cerr << "Xvfb did not start\n";
        return 1;
    }
    ::setenv("DISPLAY", x.display().c_str(), 1);

    test::FakeFileList files({"Lemmings A.adf", "Lemmings B.adf", "Zool.adf"});
    files.click(0);
    PosixProcessStarter starter;
    const LaunchContext context{GameFolder("Amiga Games", "/", dir.path().string()),
                                [] {
                                    return MediaChoices{0, 0, true};
                                },
                                &settings, &starter, PathStyle::Posix};
    const LaunchOutcome outcome = RunLaunch(files, true, context);
    if (outcome.kind != LaunchOutcome::Kind::Started) {
        std::cerr << "the launch did not start the emulator: " << outcome.reason << "\n";
        return 1;
    }

    const auto log = base / "Cache" / "Logs" / "fs-uae.log.txt";
    const std::vector<std::string> wanted = {
        "gui_disk_image_change drive 0 name " + (games / "Lemmings A.adf").string(),
        "gui_disk_image_change drive 1 name " + (games / "Lemmings B.adf").string(),
    };
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    bool seen = false;
    while (!seen && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        seen = LogShows(log, wanted);
    }
    EndProcess(outcome.pid);
    if (!seen) {
        std::cerr << "FS-UAE's log does not show the disks inserted:\n" << test::ReadFile(log);
        return 1;
    }
    std::cout << "FS-UAE inserted both disks of the set\n";
    return 0;
}
