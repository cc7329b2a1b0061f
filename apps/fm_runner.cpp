// The FM modes that work line by line: every key goes through the host's digit
// typing, the plug-in's work is waited for (bounded), and the FM screen shows what
// the host's panel shows.
#include "apps/fm_runner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>
#include <vector>

#include "apps/fm_driver.h"
#include "apps/terminal_guard.h"
#include "apps/terminal_keys.h"

namespace host {
namespace {

constexpr int kSleepPollMs = 50;

struct Step {
    int key;
    const char* label;
};

const std::vector<Step> kDemonstration = {
    {'q', "start the radio"},
    {'1', "typing 1"},
    {'0', "typing 10"},
    {'1', "typing 101"},
    {'5', "typing 1015"},
    {kFmEnter, "enter: 101.5 MHz"},
    {'>', "step up"},
    {'<', "step down"},
    {']', "seek up"},
    {kStorePresetBase + 0, "menu: store preset 1"},
    {'[', "seek down"},
    {'[', "seek down"},
    {kStorePresetBase + 1, "menu: store preset 2"},
    {kListPresets, "menu: presets"},
    {'(', "preset (remembered slot)"},
    {'(', "next preset"},
    {')', "previous preset"},
    {'+', "volume up"},
    {'+', "volume up"},
    {'-', "volume down"},
    {'f', "mute"},
    {'+', "volume up (unmutes first)"},
    {'x', "exit"},
};

std::vector<int> ParseFmScript(const std::string& script) {
    static const std::map<std::string, int> kNames = {
        {"up", kFmUp},       {"down", kFmDown},   {"left", kFmLeft},
        {"right", kFmRight}, {"enter", kFmEnter}, {"list", kListPresets},
    };
    return ParseKeyScript(script, [](const std::string& name) {
        if (name.rfind("store ", 0) == 0) {
            const int preset = std::atoi(name.c_str() + 6);
            return preset >= 1 && preset <= 10 ? kStorePresetBase + preset - 1 : -1;
        }
        auto found = kNames.find(name);
        return found != kNames.end() ? found->second : -1;
    });
}

}  // namespace

int FmArrow(int key) {
    switch (key) {
        case kHostUp:
            return kFmUp;
        case kHostDown:
            return kFmDown;
        case kHostRight:
            return kFmRight;
        case kHostLeft:
            return kFmLeft;
        default:
            return key;
    }
}

int RunFmDemonstration(const RunOptions& options) {
    FmDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    for (const Step& step : kDemonstration) {
        driver.Run(step.key, step.label);
        if (driver.Ended()) break;
    }
    return driver.Finish();
}

int RunFmScript(const std::string& script, const RunOptions& options) {
    FmDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    for (int key : ParseFmScript(script)) {
        driver.Run(key, FmKeyLabel(key));
        if (driver.Ended()) break;
    }
    while (driver.SleepArmed() && !driver.Ended()) {
        driver.Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(kSleepPollMs));
    }
    return driver.Finish();
}

int RunFmInteractive(const RunOptions& options) {
    FmDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    std::printf(
        "keys: q start, x exit, digits then Enter (e.g. 1015), < > step, [ ] seek, s stop,\n"
        "      ( ) or up/down presets, ! store preset, L list presets, + - volume, f mute,\n"
        "      S menu\n");
    std::fflush(stdout);
    {
        TerminalGuard terminal(TerminalGuard::kLines);
        int nextPreset = 0;
        while (!driver.Ended() && !TerminalGuard::StopRequested()) {
            const int key = ReadKey(100);
            if (key == -2) break;
            if (key == '!') {
                driver.Run(kStorePresetBase + nextPreset,
                           FmKeyLabel(kStorePresetBase + nextPreset));
                nextPreset = (nextPreset + 1) % 10;
            } else if (key == 'L') {
                driver.Run(kListPresets, FmKeyLabel(kListPresets));
            } else if (key >= 0) {
                const int fmKey = FmArrow(key);
                driver.Run(fmKey, FmKeyLabel(fmKey));
            }
            driver.Tick();
        }
    }
    return driver.Finish();
}

}  // namespace host
