// The TV modes that work line by line: every key is sent as a host sends it,
// the plug-in's work is waited for (bounded), and the status line shows what
// the host received.
#include "apps/tv_runner.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "apps/terminal_guard.h"
#include "apps/terminal_keys.h"
#include "apps/tv_driver.h"

namespace host {
namespace {

constexpr int kSleepPollMs = 50;

// A key or menu event of a script, with a label for the status line.
struct Step {
    int key;
    const char* label;
};

const std::vector<Step> kDemonstration = {
    {'q', "start TV (scans)"},
    {'(', "next channel"},
    {'(', "next channel"},
    {')', "previous channel"},
    {'2', "typing 2"},
    {'2', "typing 22"},
    {kHostEnter, "enter: channel 22"},
    {'!', "recall"},
    {kScriptFavouriteBase + 0, "menu: favourite 1"},
    {kScriptFavourites, "menu: favourites"},
    {'s', "all channels"},
    {'+', "volume up"},
    {'+', "volume up"},
    {'-', "volume down"},
    {'f', "mute"},
    {'f', "unmute"},
    {'i', "next sound mode"},
    {kScriptFineTune, "menu: fine tuning"},
    {kHostRight, "fine tune +250"},
    {kHostRight, "fine tune +250"},
    {'!', "end fine tuning, recall"},
    {'x', "exit"},
};

// Until the sleep timer has closed the session.
void StayOnWhileSleepRuns(TvDriver& driver) {
    while (driver.SleepArmed() && !driver.Ended()) {
        driver.Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(kSleepPollMs));
    }
}

}  // namespace

std::string TvKeyLabel(int key) {
    switch (key) {
        case kHostUp:
            return "up";
        case kHostDown:
            return "down";
        case kHostRight:
            return "right";
        case kHostLeft:
            return "left";
        case kHostEnter:
            return "enter";
        case kScriptFavourites:
            return "menu: favourites";
        case kScriptFineTune:
            return "menu: fine tuning";
        default:
            break;
    }
    if (key >= kScriptFavouriteBase && key < kScriptFavouriteBase + 12) {
        return "menu: favourite " + std::to_string(key - kScriptFavouriteBase + 1);
    }
    return std::string("key ") + static_cast<char>(key);
}

int RunTvDemonstration(const RunOptions& options) {
    TvDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    for (const Step& step : kDemonstration) {
        driver.Run(step.key, step.label);
        if (driver.Ended()) break;
    }
    return driver.Finish();
}

int RunTvScript(const std::string& script, const RunOptions& options) {
    TvDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    for (int key : ParseScript(script)) {
        driver.Run(key, TvKeyLabel(key));
        if (driver.Ended()) break;
    }
    StayOnWhileSleepRuns(driver);
    return driver.Finish();
}

int RunTvInteractive(const RunOptions& options) {
    TvDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    std::printf("keys: q start, x exit, digits, arrows, Enter, ( ) + - ! f i s a S = ...\n");
    std::fflush(stdout);
    {
        TerminalGuard terminal(TerminalGuard::kLines);
        while (!driver.Ended() && !TerminalGuard::StopRequested()) {
            const int key = ReadKey(100);
            if (key == -2) break;
            if (key >= 0) driver.Run(key, TvKeyLabel(key));
            driver.Tick();
        }
    }
    return driver.Finish();
}

}  // namespace host
