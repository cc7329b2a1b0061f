// Runs FM sessions: every key goes through the host's digit typing, the plug-in's work
// is waited for (bounded), and the FM screen shows what the host's panel shows.
#include "apps/fm_runner.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "apps/fm_screen.h"
#include "apps/fm_session.h"
#include "apps/host_events.h"
#include "apps/key_feed.h"
#include "apps/status_line.h"
#include "apps/terminal_keys.h"

namespace host {
namespace {

constexpr int kQuietMs = 300;
constexpr int kStepMaxMs = 20000;
constexpr int kCloseMaxMs = 10000;
constexpr size_t kJournalTail = 30;

// The FM controller's control keys.
enum FmKey : int { kFmLeft = 28, kFmRight = 29, kFmUp = 30, kFmDown = 31, kFmEnter = 10 };

// Menu events of scripts, above the byte range.
constexpr int kStorePresetBase = 1000;  // + slot 0..9
constexpr int kListPresets = 2000;
constexpr int kMenuStorePreset = 112;
constexpr int kMenuListPresets = 111;

struct Step {
    int key;
    const char* label;
};

std::string KeyLabel(int key) {
    static const std::map<int, std::string> kNames = {
        {kFmLeft, "left"},          {kFmRight, "right"},
        {kFmUp, "up: next preset"}, {kFmDown, "down: previous preset"},
        {kFmEnter, "enter"},        {kListPresets, "menu: presets"},
    };
    auto name = kNames.find(key);
    if (name != kNames.end()) return name->second;
    if (key >= kStorePresetBase && key < kStorePresetBase + 10)
        return "menu: store preset " + std::to_string(key - kStorePresetBase + 1);
    return std::string("key ") + static_cast<char>(key);
}

// The terminal's arrows come as the TV host's codes (up 28, down 29, right 30, left 31).
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

class FmDriver {
  public:
    FmDriver()
        : feed_([this](const std::string& key, int value) { session_.SendKey(key, value); }) {}

    bool Open() {
        if (!session_.Open()) return false;
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintFmScreen("FM controller created");
        PrintNewHostEvents();
        return true;
    }

    void Run(int key, const std::string& label) {
        if (key >= kStorePresetBase && key < kStorePresetBase + 10) {
            feed_.Commit();
            session_.SendMenuEvent(kMenuStorePreset, key - kStorePresetBase);
        } else if (key == kListPresets) {
            feed_.Commit();
            session_.SendMenuEvent(kMenuListPresets, 0);
        } else {
            feed_.Press(static_cast<unsigned char>(key));
        }
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintFmScreen(label);
        PrintNewHostEvents();
    }

    void Tick() {
        if (!feed_.Tick()) return;
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintFmScreen("digits committed");
    }

    int Finish() {
        feed_.Commit();
        if (!FmSession::EngineClosed()) {
            session_.SendKey("x", 1);
            WaitUntil(kCloseMaxMs, [] { return FmSession::EngineClosed(); });
        }
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintFmScreen("radio closed");
        PrintNewHostEvents();
        session_.Close();
        std::printf("host events (11, code, argument):");
        for (const auto& event : FmSession::HostEvents())
            std::printf(" (%d, %d)", event.first, event.second);
        std::printf("\n");
        PrintJournalTail(kJournalTail);
        return FmSession::EngineClosed() ? 0 : 1;
    }

  private:
    // What the host heard from the controller since the last step.
    void PrintNewHostEvents() {
        const auto events = FmSession::HostEvents();
        for (; printedEvents_ < events.size(); ++printedEvents_) {
            std::printf("host received (11, %d, %d, 0, 0)\n", events[printedEvents_].first,
                        events[printedEvents_].second);
        }
        std::fflush(stdout);
    }

    template <typename Done>
    static void WaitUntil(int maxMs, Done done) {
        for (int waited = 0; waited < maxMs && !done(); waited += kQuietMs)
            WaitUntilQuiet(kQuietMs, kQuietMs);
    }

    FmSession session_;
    KeyFeed feed_;
    size_t printedEvents_ = 0;
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

int RunFmDemonstration() {
    FmDriver driver;
    if (!driver.Open()) return 1;
    for (const Step& step : kDemonstration) driver.Run(step.key, step.label);
    return driver.Finish();
}

int RunFmScript(const std::string& script) {
    FmDriver driver;
    if (!driver.Open()) return 1;
    for (int key : ParseFmScript(script)) {
        driver.Run(key, KeyLabel(key));
        if (FmSession::EngineClosed()) break;
    }
    return driver.Finish();
}

int RunFmInteractive() {
    FmDriver driver;
    if (!driver.Open()) return 1;
    std::printf(
        "keys: q start, x exit, digits then Enter (e.g. 1015), < > step, [ ] seek, s stop,\n"
        "      ( ) or up/down presets, ! store preset, L list presets, + - volume, f mute,\n"
        "      S menu\n");
    std::fflush(stdout);
    RawTerminal terminal;
    int nextPreset = 0;
    while (!FmSession::EngineClosed()) {
        const int key = ReadKey(100);
        if (key == -2) break;
        if (key == '!') {
            driver.Run(kStorePresetBase + nextPreset, KeyLabel(kStorePresetBase + nextPreset));
            nextPreset = (nextPreset + 1) % 10;
        } else if (key == 'L') {
            driver.Run(kListPresets, KeyLabel(kListPresets));
        } else if (key >= 0) {
            const int fmKey = FmArrow(key);
            driver.Run(fmKey, KeyLabel(fmKey));
        }
        driver.Tick();
    }
    return driver.Finish();
}

}  // namespace host
