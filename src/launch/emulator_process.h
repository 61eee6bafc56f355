#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

// What starting the emulator needs: the program exactly as stored in WinUAEName and the
// arguments that follow it.
struct ProcessRequest {
    std::string program;
    std::vector<std::string> arguments;

    bool operator==(const ProcessRequest& o) const {
        return program == o.program && arguments == o.arguments;
    }
};

// The emulator's command line as the user's settings compose it: WinUAEName, one blank,
// WinUAECommandLinePass, then the configuration path in double quotes. The program path is not
// quoted; the configuration path follows the pass without a blank.
std::string ComposeCommandLine(const LauncherSettings& settings, std::string_view configPath);

// Splits command-line text into arguments by the Windows rules: blanks and tabs separate
// arguments outside double quotes; double quotes group and are removed ("" inside quotes is
// one literal quote); 2n backslashes before a quote give n backslashes and the quote groups,
// 2n+1 give n backslashes and a literal quote; other backslashes are literal. An empty pair of
// quotes is an empty argument.
std::vector<std::string> SplitCommandLineArguments(std::string_view text);

// The request for starting the emulator on `configPath`: the program is WinUAEName as stored
// and the rest of the composed command line, WinUAECommandLinePass plus the quoted path, is
// split by the rules above, so "-config=" gives the one argument "-config=<path>" and a pass
// ending in a blank gives the path as an argument of its own. Fails when the path cannot be
// carried whole inside the quotes (it holds a double quote or ends in a backslash).
Result EmulatorRequest(const LauncherSettings& settings, std::string_view configPath,
                       ProcessRequest* request);

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

// The real starter: a double fork with a new session, so the emulator is nobody's zombie and
// outlives the launcher; execv runs the program exactly as named (no search of PATH). An exec
// failure is reported back through a close-on-exec pipe before start returns.
class PosixProcessStarter : public ProcessStarter {
public:
    Result start(const ProcessRequest& request, int* pid) override;
};

// Records the requests instead of starting anything; answers with `failure` when it is set.
class RecordingProcessStarter : public ProcessStarter {
public:
    Result start(const ProcessRequest& request, int* pid) override {
        started.push_back(request);
        if (!failure.empty()) {
            return Result::Fail(failure);
        }
        if (pid != nullptr) {
            *pid = 0;
        }
        return Result::Ok();
    }

    std::vector<ProcessRequest> started;
    std::string failure;
};

}  // namespace brackmoor
