#pragma once

#include <string>
#include <string_view>

#include "platform/process_starter.h"
#include "platform/result.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

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

}  // namespace brackmoor
