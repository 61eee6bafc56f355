#include "launch/emulator_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"

namespace brackmoor {

std::string ComposeCommandLine(const LauncherSettings& settings, std::string_view configPath) {
    std::string line = settings.WinUAEName;
    line += ' ';
    line += settings.WinUAECommandLinePass;
    line += '"';
    line += configPath;
    line += '"';
    return line;
}

std::vector<std::string> SplitCommandLineArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t run = 0;
            while (i < text.size() && text[i] == '\\') {
                ++run;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                current.append(run / 2, '\\');
                if (run % 2 == 1) {
                    current += '"';
                    ++i;
                }
                // With an even run the quote is handled by the next pass as a grouping quote.
            } else {
                current.append(run, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

Result EmulatorRequest(const LauncherSettings& settings, std::string_view configPath,
                       ProcessRequest* request) {
    // Inside the quotes a double quote would end the path early, and a trailing backslash would
    // escape the closing quote; either would hand the emulator a different file.
    if (configPath.find('"') != std::string_view::npos) {
        return Result::Fail("the configuration path holds a double quote");
    }
    if (!configPath.empty() && configPath.back() == '\\') {
        return Result::Fail("the configuration path ends in a backslash");
    }
    std::string rest = settings.WinUAECommandLinePass;
    rest += '"';
    rest += configPath;
    rest += '"';
    request->program = settings.WinUAEName;
    request->arguments = SplitCommandLineArguments(rest);
    return Result::Ok();
}

bool ProgramExists(const std::string& program) {
    struct stat st {};
    return !program.empty() && ::stat(program.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

namespace {

// Reports from the two children to the launcher, each written in one write() call, which a
// pipe keeps whole (it is far below PIPE_BUF).
struct Report {
    int kind;  // kPid or kExecError
    int value;
};
constexpr int kPid = 1;
constexpr int kExecError = 2;

void WriteReport(int fd, int kind, int value) {
    const Report report{kind, value};
    while (::write(fd, &report, sizeof report) < 0 && errno == EINTR) {
    }
}

}  // namespace

Result PosixProcessStarter::start(const ProcessRequest& request, int* pid) {
    if (request.program.empty()) {
        return Result::Fail("no program is named");
    }
    // Everything the children need is prepared here: after fork only async-signal-safe calls
    // are made, as the launcher may have other threads.
    std::vector<std::string> strings;
    strings.reserve(request.arguments.size() + 1);
    strings.push_back(request.program);
    strings.insert(strings.end(), request.arguments.begin(), request.arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);
    const char* path = request.program.c_str();

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return Result::Fail(ErrnoText(errno));
    }
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        return Result::Fail(ErrnoText(error));
    }
    if (middle == 0) {
        ::close(fds[0]);
        ::setsid();
        const pid_t emulator = ::fork();
        if (emulator < 0) {
            WriteReport(fds[1], kExecError, errno);
            ::_exit(127);
        }
        if (emulator == 0) {
            sigset_t none;
            ::sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            ::signal(SIGPIPE, SIG_DFL);
            ::signal(SIGCHLD, SIG_DFL);
            ::execv(path, argv.data());
            WriteReport(fds[1], kExecError, errno);
            ::_exit(127);
        }
        WriteReport(fds[1], kPid, static_cast<int>(emulator));
        ::_exit(0);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The read end sees end-of-file once the middle child has gone and the emulator's copy of
    // the write end has closed on a successful exec (or on its exit after a failed one).
    int started = -1;
    int execError = 0;
    Report report{};
    for (;;) {
        const ssize_t got = ::read(fds[0], &report, sizeof report);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got != static_cast<ssize_t>(sizeof report)) {
            break;
        }
        if (report.kind == kPid) {
            started = report.value;
        } else if (report.kind == kExecError) {
            execError = report.value;
        }
    }
    ::close(fds[0]);
    if (execError != 0) {
        return Result::Fail(ErrnoText(execError));
    }
    if (started <= 0) {
        return Result::Fail("the process could not be created");
    }
    if (pid != nullptr) {
        *pid = started;
    }
    return Result::Ok();
}

}  // namespace brackmoor
