#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

namespace brackmoor {

// What starting a program needs: the program exactly as named and its arguments.
struct ProcessRequest {
    std::string program;
    std::vector<std::string> arguments;

    bool operator==(const ProcessRequest& o) const {
        return program == o.program && arguments == o.arguments;
    }
};

// True when `program` names an existing file (not a folder), looked up as stored, relative
// names against the working folder, exactly as the start will look for it.
bool ProgramExists(const std::string& program);

// Starts programs without a shell and without waiting for them.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the process detached from the launcher, in the launcher's working folder. On
    // success `pid` (when given) receives its process id; a failure says why the system refused
    // to run the program (not found, not executable, wrong format ...).
    virtual Result start(const ProcessRequest& request, int* pid) = 0;
};

// The real starter: a middle child in a new session starts the emulator and ends, so the
// emulator is nobody's zombie and outlives the launcher; the program runs exactly as named (no
// search of PATH). Neither child copies the launcher's memory (vfork, then posix_spawn), so the
// start costs the same for a large launcher. An exec failure is reported back through a
// close-on-exec pipe before start returns.
class PosixProcessStarter : public ProcessStarter {
public:
    Result start(const ProcessRequest& request, int* pid) override;
};

}  // namespace brackmoor
