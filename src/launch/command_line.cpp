#include "launch/command_line.h"

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

}  // namespace brackmoor
