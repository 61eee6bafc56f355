#include "platform/process_starter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"

namespace brackmoor {

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
