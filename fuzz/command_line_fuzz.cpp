// The command-line splitter: any text splits without failing, and a configuration path the
// request accepts arrives whole, as one argument with the pass in front of it.

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "launch/command_line.h"

using namespace brackmoor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static const char* const kPasses[] = {"-config=", "--config ", "", "-f \"\" -c="};
    LauncherSettings settings;
    settings.WinUAEName = "/usr/bin/fs-uae";
    settings.WinUAECommandLinePass = kPasses[input.ConsumeIntegralInRange<int>(0, 3)];
    const std::string path = input.ConsumeRandomLengthString(300);
    const std::string text = input.ConsumeRemainingBytesAsString();

    for (const std::string& argument : SplitCommandLineArguments(text)) {
        FUZZ_CHECK(argument.size() <= text.size());
    }

    ProcessRequest request;
    if (!EmulatorRequest(settings, path, &request)) {
        return 0;
    }
    FUZZ_CHECK(request.program == settings.WinUAEName);
    FUZZ_CHECK(!request.arguments.empty());
    const std::string& pass = settings.WinUAECommandLinePass;
    const bool glued = !pass.empty() && pass.back() != ' ';
    const std::string tail = glued ? pass.substr(pass.rfind(' ') + 1) : std::string();
    FUZZ_CHECK(request.arguments.back() == tail + path);
    return 0;
}
