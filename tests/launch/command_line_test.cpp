#include "launch/command_line.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace brackmoor {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineArguments, FollowsTheWindowsRules) {
    const std::vector<std::pair<std::string, Args>> cases = {
        {"-config=\"/a b/x.uae\"", {"-config=/a b/x.uae"}},
        {"--base-dir=/x \"/a b/c.fs-uae\"", {"--base-dir=/x", "/a b/c.fs-uae"}},
        {"  a \t b  ", {"a", "b"}},
        {"", {}},
        {"a \"\" b", {"a", "", "b"}},
        {"x\"a b\"y\" c\"", {"xa by c"}},
        {"\"unterminated quote", {"unterminated quote"}},
        // Backslashes are literal unless they precede a quote: 2n give n and a grouping quote,
        // 2n+1 give n and a literal quote.
        {"C:\\Games\\WinUAE\\x.uae", {"C:\\Games\\WinUAE\\x.uae"}},
        {"a\\\\b", {"a\\\\b"}},
        {"\"C:\\a b\\\\\"", {"C:\\a b\\"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\\\"b c", {"a\\\"b", "c"}},
        {"\"a\"\"b\" c", {"a\"b", "c"}},  // "" inside quotes
    };
    for (const auto& [line, args] : cases) {
        EXPECT_EQ(SplitCommandLineArguments(line), args) << line;
    }
}

TEST(EmulatorRequest, QuotesTheConfigurationAfterThePassedText) {
    LauncherSettings settings;
    settings.WinUAEName = "C:\\Program Files\\WinUAE\\WinUAE.exe";
    settings.WinUAECommandLinePass = "-config=";
    const std::string config = "C:\\Games\\WinUAE\\Configurations\\My 1200.uae";
    EXPECT_EQ(ComposeCommandLine(settings, config),
              "C:\\Program Files\\WinUAE\\WinUAE.exe -config=\"" + config + "\"");
    ProcessRequest request;
    ASSERT_TRUE(EmulatorRequest(settings, config, &request).ok());
    EXPECT_EQ(request.program, settings.WinUAEName);  // as stored, blanks and all
    EXPECT_EQ(request.arguments, Args{"-config=" + config});

    settings.WinUAECommandLinePass = "--base-dir=/demo/fs-uae ";
    ASSERT_TRUE(EmulatorRequest(settings, "/demo/A500.fs-uae", &request).ok());
    EXPECT_EQ(request.arguments, (Args{"--base-dir=/demo/fs-uae", "/demo/A500.fs-uae"}));
    // A quote or a final backslash would hand the emulator another file.
    EXPECT_FALSE(EmulatorRequest(settings, "/demo/a\"b.fs-uae", &request).ok());
    EXPECT_FALSE(EmulatorRequest(settings, "/demo/odd\\", &request).ok());
}

}  // namespace
}  // namespace brackmoor
