// mediahost's manners on the command line: --help lists every mode and option,
// a wrong line gets the usage on stderr and exit code 2, and each failure is one
// line naming the thing and what to do, with a non-zero exit.
#include <gtest/gtest.h>

#include <string>

#include "tests/apps/child_process.h"

namespace {

using testterm::RunChild;
using testterm::SplitLines;

constexpr int kQuickMs = 30000;
constexpr int kSessionMs = 120000;

// Lines that begin with "mediahost:".
std::vector<std::string> ErrorLines(const std::string& err) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(err))
        if (line.rfind("mediahost:", 0) == 0) lines.push_back(line);
    return lines;
}

TEST(MediahostCommandLine, HelpListsEveryModeAndOptionOnALineOfItsOwn) {
    const auto result = RunChild(MEDIAHOST, {"--help"}, kQuickMs);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.err.empty()) << result.err;
    const auto lines = SplitLines(result.out);
    for (const char* flag : {"--tv-demo", "--fm", "--tv", "--interactive", "--fm-keys",
                             "--script KEYS", "--fm-script KEYS", "--no-video", "--sleep SECONDS",
                             "--settings DIR", "--screen-file PATH", "--no-pauses",
                             "--graphics NAME", "--graphics-fault WHAT", "--help"}) {
        int found = 0;
        for (const std::string& line : lines)
            if (line.rfind(std::string("  ") + flag + " ", 0) == 0 ||
                line.rfind(std::string("  ") + flag + ",", 0) == 0)
                ++found;
        EXPECT_EQ(found, 1) << flag;
    }
}

TEST(MediahostCommandLine, AWrongLineGetsTheUsageOnStderrAndExitCode2) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                                 {"--script"},
                                                 {"--sleep", "soon"},
                                                 {"--tv", "--fm"},
                                                 {"--graphics", "voodoo"},
                                                 {"--graphics", "s3", "--graphics-fault", "x"}}) {
        const auto result = RunChild(MEDIAHOST, args, kQuickMs);
        EXPECT_EQ(result.exitCode, 2) << args[0];
        EXPECT_TRUE(result.out.empty()) << args[0];
        const auto lines = SplitLines(result.err);
        ASSERT_GE(lines.size(), 2u) << args[0];
        EXPECT_EQ(lines[0].rfind("mediahost: ", 0), 0u) << lines[0];
        EXPECT_EQ(lines[1].rfind("usage: ", 0), 0u) << lines[1];
    }
    const auto unknown = RunChild(MEDIAHOST, {"--bogus"}, kQuickMs);
    EXPECT_EQ(SplitLines(unknown.err)[0], "mediahost: unknown option --bogus");
}

TEST(MediahostCommandLine, AnUnwritableScreenFileIsOneLineAndExitCode1) {
    const auto result =
        RunChild(MEDIAHOST, {"--tv-demo", "--screen-file", "/nonexistent/screen"}, kQuickMs);
    EXPECT_EQ(result.exitCode, 1);
    const auto errors = ErrorLines(result.err);
    ASSERT_EQ(errors.size(), 1u) << result.err;
    EXPECT_EQ(errors[0],
              "mediahost: cannot write the screen file /nonexistent/screen (No such file or "
              "directory): choose another with --screen-file PATH");
    EXPECT_EQ(result.out.find("controller created"), std::string::npos) << "a session started";
}

TEST(MediahostCommandLine, AnUnwritableSettingsFolderIsOneLineAndExitCode1) {
    const auto result = RunChild(MEDIAHOST, {"--fm", "--settings", "/proc/tvfm"}, kQuickMs);
    EXPECT_EQ(result.exitCode, 1);
    const auto errors = ErrorLines(result.err);
    ASSERT_EQ(errors.size(), 1u) << result.err;
    EXPECT_NE(errors[0].find("/proc/tvfm"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find("--settings DIR"), std::string::npos) << errors[0];
}

TEST(MediahostCommandLine, ASleepTimerOfTwoSecondsClosesTheSessionByItself) {
    const auto result = RunChild(MEDIAHOST, {"--script", "q", "--sleep", "2"}, kSessionMs);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const size_t closing = result.out.find("[sleep timer: closing");
    const size_t closed = result.out.find("host 8 13 0 0 0");
    ASSERT_NE(closing, std::string::npos) << result.out;
    ASSERT_NE(closed, std::string::npos);
    EXPECT_LT(closing, closed);
    // The status line counted the time down.
    EXPECT_NE(result.out.find("| sleep 0:0"), std::string::npos);
}

}  // namespace
