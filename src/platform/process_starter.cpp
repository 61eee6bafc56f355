#include "platform/process_starter.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
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
    // Everything the children need is prepared here: the middle child shares the launcher's
    // memory (vfork) and makes only system calls and posix_spawn, which allocates nothing.
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

    // The emulator starts with no signal blocked and SIGPIPE and SIGCHLD at their defaults,
    // whatever the launcher ignores; the handlers it catches are reset by the exec itself.
    posix_spawnattr_t attributes;
    if (const int error = ::posix_spawnattr_init(&attributes); error != 0) {
        return Result::Fail(ErrnoText(error));
    }
    sigset_t none;
    sigset_t defaults;
    ::sigemptyset(&none);
    ::sigemptyset(&defaults);
    ::sigaddset(&defaults, SIGPIPE);
    ::sigaddset(&defaults, SIGCHLD);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        const int error = errno;
        ::posix_spawnattr_destroy(&attributes);
        return Result::Fail(ErrnoText(error));
    }
    // No handler of the launcher may run in the middle child, which shares its memory.
    sigset_t all;
    sigset_t before;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &before);
    // Neither child copies the launcher's memory: the middle one borrows it until it ends,
    // the emulator is spawned from it (which reports a failed exec as its result).
    const pid_t middle = ::vfork();
    if (middle == 0) {
        ::setsid();
        pid_t emulator = 0;
        const int error =
            ::posix_spawn(&emulator, path, nullptr, &attributes, argv.data(), environ);
        if (error != 0) {
            WriteReport(fds[1], kExecError, error);
            ::_exit(127);
        }
        WriteReport(fds[1], kPid, static_cast<int>(emulator));
        ::_exit(0);
    }
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    ::posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    if (middle < 0) {
        ::close(fds[0]);
        return Result::Fail(ErrnoText(forkError));
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The middle child has gone: whatever it reported is in the pipe.
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
