// mediahost --fm-keys on a pseudo-terminal: the FM screen is redrawn in place, a
// seek shows the frequencies it passes, and 'x' leaves the terminal as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "tests/apps/pty_process.h"

namespace {

using testterm::PtyProcess;
using testterm::VirtualTerminal;

constexpr int kStartMs = 30000;
constexpr int kSeekMs = 60000;
constexpr int kExitMs = 60000;

// The frequency the FM screen shows ("87.5"), or "".
std::string Frequency(const VirtualTerminal& screen) {
    const int row = screen.FindRow(" MHz");
    if (row < 0) return "";
    const std::string text = screen.RowText(row);
    const size_t mhz = text.find(" MHz");
    const size_t start = text.rfind(' ', mhz - 1);
    return text.substr(start + 1, mhz - start - 1);
}

TEST(LiveFm, TheScreenFollowsASeekAndXRestoresTheTerminal) {
    PtyProcess fm(MEDIAHOST, {"--fm-keys"}, {}, 80, 24);
    ASSERT_TRUE(fm.Started());
    ASSERT_TRUE(fm.WaitFor(
        [](const VirtualTerminal& s) { return s.AlternateScreen() && s.FindRow("FM RADIO") >= 0; },
        kStartMs))
        << fm.Output();
    fm.Type("q");
    ASSERT_TRUE(
        fm.WaitFor([](const VirtualTerminal& s) { return Frequency(s) == "87.5"; }, kStartMs));
    const int homes = fm.Screen().Homes();

    fm.Type("]");
    std::string passing;
    EXPECT_TRUE(fm.WaitFor(
        [&](const VirtualTerminal& s) {
            const int row = s.FindRow("seeking: ");
            if (row >= 0) passing = s.RowText(row);
            return row >= 0;
        },
        kSeekMs))
        << "no frequency shown while seeking";
    EXPECT_NE(passing.find(" MHz"), std::string::npos) << passing;
    EXPECT_TRUE(fm.WaitFor(
        [](const VirtualTerminal& s) {
            return s.FindRow("seeking") < 0 && Frequency(s) != "87.5" && !Frequency(s).empty();
        },
        kSeekMs))
        << "the seek did not end on another station";
    EXPECT_GT(fm.Screen().Homes(), homes) << "the screen is not redrawn in place";

    fm.Type("x");
    const int status = fm.WaitForExit(kExitMs);
    ASSERT_NE(status, -1);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fm.Modes().c_lflag, fm.ModesBefore().c_lflag);
    EXPECT_FALSE(fm.Screen().AlternateScreen());
    EXPECT_TRUE(fm.Screen().CursorVisible());
}

}  // namespace
