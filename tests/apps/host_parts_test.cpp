// The host program's parts on their own: the sleep timer's countdown, a scan's
// progress text, the half-block picture, the frame layout, the screen-file
// source, the command line and the record of host events.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "apps/command_line.h"
#include "apps/half_blocks.h"
#include "apps/host_events.h"
#include "apps/live_screen.h"
#include "apps/picture_source.h"
#include "apps/scan_progress.h"
#include "apps/sleep_timer.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// ---- Sleep timer ----

class SleepTimerTest : public ::testing::Test {
  protected:
    Clock::time_point now_ = Clock::now();
    host::SleepTimer timer_{[this] { return now_; }};
};

TEST_F(SleepTimerTest, TellsEachMinuteOnceAndExpiresOnceAtZero) {
    timer_.Set(180);
    EXPECT_TRUE(timer_.Armed());
    EXPECT_FALSE(timer_.Advance().tellMinutes);  // 3 minutes, as set
    std::vector<int> told;
    int expired = 0;
    for (int second = 1; second <= 200; ++second) {
        now_ += 1s;
        const auto due = timer_.Advance();
        if (due.tellMinutes) told.push_back(due.minutes);
        if (due.expired) {
            ++expired;
            EXPECT_EQ(second, 180);
        }
    }
    EXPECT_EQ(told, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(expired, 1);
    EXPECT_FALSE(timer_.Armed());
    EXPECT_EQ(timer_.StatusText(), "");
}

TEST_F(SleepTimerTest, ShowsTheTimeLeftRoundedUp) {
    timer_.Set(300);
    EXPECT_EQ(timer_.StatusText(), "sleep 5:00");
    now_ += 1500ms;
    EXPECT_EQ(timer_.StatusText(), "sleep 4:59");
    EXPECT_EQ(timer_.RemainingSeconds(), 299);
    now_ += 298s;
    EXPECT_EQ(timer_.StatusText(), "sleep 0:01");
}

TEST_F(SleepTimerTest, ZeroOrANewTimeReplacesTheRunningOne) {
    timer_.Set(600);
    now_ += 30s;
    timer_.Set(0);
    EXPECT_FALSE(timer_.Armed());
    EXPECT_FALSE(timer_.Advance().expired);
    timer_.Set(60);
    now_ += 60s;
    EXPECT_TRUE(timer_.Advance().expired);
}

// ---- Scan progress ----

host::ScanCard CardOf(int slots, std::vector<int> stations) {
    host::ScanCard card;
    card.slotCount = [slots] { return slots; };
    card.hasStation = [stations](int slot) {
        for (int s : stations)
            if (s == slot) return true;
        return false;
    };
    return card;
}

TEST(ScanProgress, ABarWhileItRunsAndTheResultAfterIt) {
    host::ScanProgress scan(CardOf(10, {0, 3, 9}));
    EXPECT_EQ(scan.Text(10), "");
    scan.Update(true, 1);
    EXPECT_EQ(scan.Text(10), "scan [#.........] slot 1 of 10, 0 stations found");
    scan.Update(true, 5);  // slots 0..3 scanned
    EXPECT_EQ(scan.Text(10), "scan [#####.....] slot 5 of 10, 2 stations found");
    scan.Update(true, 10);
    EXPECT_EQ(scan.Text(10), "scan [##########] slot 10 of 10, 2 stations found");
    scan.Update(false, 10);  // the last slot was scanned after its report
    EXPECT_TRUE(scan.Finished());
    EXPECT_EQ(scan.Text(10), "scan done: 10 of 10 slots, 3 stations found");
}

TEST(ScanProgress, AStoppedScanEndsWhereItWasAndANewOneStartsAgain) {
    host::ScanProgress scan(CardOf(10, {1, 2, 8}));
    scan.Update(true, 4);
    scan.Update(false, 4);
    EXPECT_EQ(scan.Text(4), "scan done: 4 of 10 slots, 2 stations found");
    scan.Update(true, 3);  // slots 0 and 1 scanned
    EXPECT_FALSE(scan.Finished());
    EXPECT_EQ(scan.Text(4), "scan [#...] slot 3 of 10, 1 station found");
}

// ---- Half blocks ----

host::RgbPicture Picture(int width, int height, const std::vector<uint8_t>& rgb) {
    host::RgbPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb = rgb;
    return picture;
}

TEST(HalfBlocks, EachCellShowsItsUpperAndLowerPixel) {
    // 2 x 2: red, green over blue, white.
    const auto picture = Picture(2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    const auto lines = host::HalfBlockLines(picture, 2, 1, host::ColourDepth::kTrueColour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "\x1b[38;2;255;0;0m\x1b[48;2;0;0;255m\xe2\x96\x80"
              "\x1b[38;2;0;255;0m\x1b[48;2;255;255;255m\xe2\x96\x80\x1b[0m");
}

TEST(HalfBlocks, ColoursAreSentOnlyWhenTheyChange) {
    const auto grey = Picture(4, 2, std::vector<uint8_t>(4 * 2 * 3, 128));
    const auto lines = host::HalfBlockLines(grey, 4, 1, host::ColourDepth::kTrueColour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "\x1b[38;2;128;128;128m\x1b[48;2;128;128;128m\xe2\x96\x80\xe2\x96\x80"
              "\xe2\x96\x80\xe2\x96\x80\x1b[0m");
}

TEST(HalfBlocks, ThePictureIsSampledAtTheCellCentres) {
    // 4 x 4, each pixel's red channel its index: the 2 x 1 cells take pixels
    // (1,1)/(1,3) and (3,1)/(3,3).
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 16; ++i) rgb.insert(rgb.end(), {uint8_t(i), 0, 0});
    const auto lines =
        host::HalfBlockLines(Picture(4, 4, rgb), 2, 1, host::ColourDepth::kTrueColour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "\x1b[38;2;5;0;0m\x1b[48;2;13;0;0m\xe2\x96\x80"
              "\x1b[38;2;7;0;0m\x1b[48;2;15;0;0m\xe2\x96\x80\x1b[0m");
}

TEST(HalfBlocks, Without24BitColourThePaletteIsUsed) {
    EXPECT_EQ(host::Palette256(255, 0, 0), 196);
    EXPECT_EQ(host::Palette256(0, 0, 0), 16);
    EXPECT_EQ(host::Palette256(255, 255, 255), 231);
    EXPECT_EQ(host::Palette256(128, 128, 128), 244);  // grey ramp 128
    EXPECT_EQ(host::Palette256(95, 135, 175), 16 + 36 * 1 + 6 * 2 + 3);
    const auto red = Picture(1, 2, {255, 0, 0, 255, 0, 0});
    const auto lines = host::HalfBlockLines(red, 1, 1, host::ColourDepth::k256);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\x1b[38;5;196m\x1b[48;5;196m\xe2\x96\x80\x1b[0m");
}

TEST(HalfBlocks, TrueColourOnlyWhenTheTerminalSaysSo) {
    EXPECT_EQ(host::ColourDepthFrom("truecolor"), host::ColourDepth::kTrueColour);
    EXPECT_EQ(host::ColourDepthFrom("24bit"), host::ColourDepth::kTrueColour);
    EXPECT_EQ(host::ColourDepthFrom(nullptr), host::ColourDepth::k256);
    EXPECT_EQ(host::ColourDepthFrom(""), host::ColourDepth::k256);
}

TEST(HalfBlocks, NoPictureGivesBlackCells) {
    const auto lines = host::HalfBlockLines(host::RgbPicture{}, 3, 2, host::ColourDepth::k256);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "\x1b[38;5;16m\x1b[48;5;16m\xe2\x96\x80\xe2\x96\x80\xe2\x96\x80\x1b[0m");
}

// ---- Frame layout ----

TEST(LiveScreen, ThePictureKeepsItsShapeAboveTheStatusLines) {
    const auto fit = host::FitPicture({100, 40}, 3, 640, 480);
    EXPECT_EQ(fit.columns, 98);
    EXPECT_EQ(fit.rows, 36);
    const auto narrow = host::FitPicture({40, 60}, 3, 640, 480);
    EXPECT_EQ(narrow.columns, 40);
    EXPECT_EQ(narrow.rows, 15);
    const auto tiny = host::FitPicture({10, 3}, 3, 640, 480);
    EXPECT_GE(tiny.rows, 1);
    EXPECT_GE(tiny.columns, 1);
}

TEST(LiveScreen, AFrameRedrawsInPlaceAndClearsWhatIsLeft) {
    EXPECT_EQ(host::ComposeFrame({"ab", "c"}),
              "\x1b[H"
              "ab\x1b[0m\x1b[K\r\n"
              "c\x1b[0m\x1b[K"
              "\x1b[J");
}

// ---- Screen file source ----

TEST(ScreenPictureSource, ReadsTheFrameBufferRendererScreenAsRgb) {
    char path[] = "/tmp/host_parts_screen_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    // 2 x 1 at 32 bits (blue, green, red, unused) and at 16 bits (5-6-5).
    {
        std::ofstream out(path, std::ios::binary);
        const uint8_t pixels[] = {10, 20, 30, 0, 40, 50, 60, 0};
        out.write(reinterpret_cast<const char*>(pixels), sizeof pixels);
    }
    livepreview::ScreenFile screen;
    screen.path = path;
    screen.width = 2;
    screen.height = 1;
    host::RgbPicture picture;
    ASSERT_TRUE(host::MakeScreenPictureSource(screen)->Take(&picture));
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 1);
    EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));

    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const uint8_t pixels[] = {0x00, 0xf8, 0x1f, 0x00};  // red, blue
        out.write(reinterpret_cast<const char*>(pixels), sizeof pixels);
    }
    screen.bitsPerPixel = 16;
    ASSERT_TRUE(host::ChoosePictureSource(screen)->Take(&picture));
    EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{248, 0, 0, 0, 0, 248}));
    unlink(path);
}

// ---- Command line ----

bool Parse(std::vector<std::string> words, host::CommandLine* line, std::string* error) {
    std::vector<char*> argv = {const_cast<char*>("mediahost")};
    for (std::string& word : words) argv.push_back(&word[0]);
    return host::ParseCommandLine(int(argv.size()), argv.data(), line, error);
}

TEST(CommandLine, ModesAndOptionsInAnyOrder) {
    host::CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"--sleep", "90", "--fm-script", "q]x", "--no-video", "--settings", "/x"},
                      &line, &error))
        << error;
    EXPECT_EQ(line.mode, "fm-script");
    EXPECT_EQ(line.script, "q]x");
    EXPECT_EQ(line.run.sleepSeconds, 90);
    EXPECT_FALSE(line.video);
    EXPECT_EQ(line.settings, "/x");

    host::CommandLine defaults;
    ASSERT_TRUE(Parse({}, &defaults, &error));
    EXPECT_EQ(defaults.mode, "demo");
    EXPECT_TRUE(defaults.video);
    EXPECT_EQ(defaults.run.sleepSeconds, 0);
    EXPECT_FALSE(defaults.noPauses);
    EXPECT_TRUE(defaults.graphics.empty());
}

TEST(CommandLine, GraphicsAndPausesTakeTheirValues) {
    const std::vector<std::string> names = {"fb", "intel915"};
    std::vector<std::string> words = {"--no-pauses", "--graphics",       "intel915",
                                      "--tv",        "--graphics-fault", "call:MCInitLib__Fv"};
    std::vector<char*> argv = {const_cast<char*>("mediahost")};
    for (std::string& word : words) argv.push_back(&word[0]);
    host::CommandLine line;
    std::string error;
    ASSERT_TRUE(host::ParseCommandLine(int(argv.size()), argv.data(), &line, &error, names))
        << error;
    EXPECT_TRUE(line.noPauses);
    EXPECT_EQ(line.graphics, "intel915");
    EXPECT_EQ(line.graphicsFault, "call:MCInitLib__Fv");
    EXPECT_EQ(line.mode, "tv");

    std::vector<std::string> unknown = {"--graphics", "voodoo"};
    std::vector<char*> argv2 = {const_cast<char*>("mediahost")};
    for (std::string& word : unknown) argv2.push_back(&word[0]);
    host::CommandLine other;
    EXPECT_FALSE(host::ParseCommandLine(int(argv2.size()), argv2.data(), &other, &error, names));
    EXPECT_EQ(error, "unknown graphics \"voodoo\"");
}

TEST(CommandLine, MalformedLinesSayWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--script"}, "--script needs KEYS"},
        {{"--settings"}, "--settings needs a value"},
        {{"--sleep", "0"}, "--sleep needs whole seconds from 1 to 86400, not \"0\""},
        {{"--sleep", "5m"}, "--sleep needs whole seconds from 1 to 86400, not \"5m\""},
        {{"--fm", "--tv"}, "only one mode at a time (--tv after another mode)"},
        {{"--graphics"}, "--graphics needs a value"},
        {{"--graphics-fault", "init"}, "--graphics-fault needs --graphics NAME"},
        {{"--graphics", "sis", "--screen-file", "/tmp/s"},
         "--screen-file and --graphics exclude each other (--graphics draws on the simulated "
         "controller's screen)"},
    };
    for (const auto& c : cases) {
        host::CommandLine line;
        std::string error;
        EXPECT_FALSE(Parse(c.first, &line, &error)) << c.second;
        EXPECT_EQ(error, c.second);
    }
}

TEST(CommandLine, TheUsageNamesTheProgramAndEveryFlagTheParserTakes) {
    const std::string usage = host::UsageText("mediahost");
    EXPECT_EQ(usage.rfind("usage: mediahost [MODE] [OPTIONS]\n", 0), 0u);
    for (const char* flag :
         {"--tv-demo", "--fm ", "--tv ", "--interactive", "--fm-keys", "--script", "--fm-script",
          "--no-video", "--sleep", "--settings", "--screen-file", "--no-pauses", "--graphics ",
          "--graphics-fault", "--help"}) {
        EXPECT_NE(usage.find(std::string("  ") + flag), std::string::npos) << flag;
        host::CommandLine line;
        std::string error;
        std::string word = flag;
        while (word.back() == ' ') word.pop_back();
        std::vector<std::string> words = {word};
        // Every listed flag is one the parser knows.
        Parse(words, &line, &error);
        EXPECT_EQ(error.find("unknown option"), std::string::npos) << flag;
    }
}

}  // namespace

// ---- Host events ----

TEST(HostEvents, ALongSessionKeepsOnlyTheNewestEvents) {
    host::ResetHostEvents();
    for (int i = 0; i < 20005; ++i) host::OnHostEvent(8, 7, i, 0, 0);
    const std::string text = host::HostEventsText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20000);
    EXPECT_EQ(text.find("  host 8 7 4 0 0\n"), std::string::npos) << "the oldest went";
    EXPECT_EQ(text.find("  host 8 7 5 0 0\n"), 0u);
    EXPECT_NE(text.find("  host 8 7 20004 0 0\n"), std::string::npos);
    host::ResetHostEvents();
}
