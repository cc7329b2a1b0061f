// Runs TV sessions: every key is sent as a host sends it, the plug-in's work
// is waited for (bounded), and the status line shows what the host received.
#include "apps/tv_runner.h"

#include <cstdio>
#include <vector>

#include "apps/host_events.h"
#include "apps/key_feed.h"
#include "apps/live_preview.h"
#include "apps/status_line.h"
#include "apps/terminal_keys.h"
#include "apps/tv_session.h"

namespace host {
namespace {

constexpr int kQuietMs = 300;
constexpr int kStepMaxMs = 20000;
constexpr int kCloseMaxMs = 10000;
constexpr size_t kJournalTail = 40;

constexpr int kMenuReport = 3;
constexpr int kAssignFavourite = 49;
constexpr int kSwitchToFavourites = 51;
constexpr int kStartFineTuning = 57;

// A key or menu event of a script, with a label for the status line.
struct Step {
    int key;
    const char* label;
};

std::string KeyLabel(int key) {
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

class TvDriver {
  public:
    TvDriver()
        : feed_([this](const std::string& key, int value) { session_.SendKey(key, value); }) {}

    bool Open() {
        if (!session_.Open()) return false;
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintStatus("controller created");
        return true;
    }

    // Sends one step and waits for its effects.
    void Run(int key, const std::string& label) {
        if (key >= kScriptFavouriteBase && key < kScriptFavouriteBase + 12) {
            feed_.Commit();
            session_.SendMenuEvent(kMenuReport, kAssignFavourite, key - kScriptFavouriteBase);
        } else if (key == kScriptFavourites) {
            feed_.Commit();
            session_.SendMenuEvent(kMenuReport, kSwitchToFavourites, 0);
        } else if (key == kScriptFineTune) {
            feed_.Commit();
            session_.SendMenuEvent(kMenuReport, kStartFineTuning, 0);
        } else {
            feed_.Press(static_cast<unsigned char>(key));
        }
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintStatus(label);
        livepreview::AfterTvKey(key);
    }

    void Tick() {
        if (!feed_.Tick()) return;
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintStatus("digits committed");
    }

    // Commits typed digits, leaves TV if it is still on and deletes the controller.
    int Finish() {
        feed_.Commit();
        if (!EngineClosed()) {
            session_.SendKey("x", 1);
            if (!WaitForEngineClosed(kCloseMaxMs)) std::printf("engine did not report closing\n");
        }
        WaitUntilQuiet(kQuietMs, kStepMaxMs);
        PrintStatus("engine closed");
        session_.Close();
        std::printf("host events:\n%s", HostEventsText().c_str());
        PrintJournalTail(kJournalTail);
        return 0;
    }

  private:
    TvSession session_;
    KeyFeed feed_;
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

}  // namespace

int RunTvDemonstration() {
    TvDriver driver;
    if (!driver.Open()) return 1;
    for (const Step& step : kDemonstration) driver.Run(step.key, step.label);
    return driver.Finish();
}

int RunTvScript(const std::string& script) {
    TvDriver driver;
    if (!driver.Open()) return 1;
    for (int key : ParseScript(script)) {
        driver.Run(key, KeyLabel(key));
        if (EngineClosed()) break;
    }
    return driver.Finish();
}

int RunTvInteractive() {
    TvDriver driver;
    if (!driver.Open()) return 1;
    std::printf("keys: q start, x exit, digits, arrows, Enter, ( ) + - ! f i s a S = ...\n");
    std::fflush(stdout);
    RawTerminal terminal;
    while (!EngineClosed()) {
        const int key = ReadKey(100);
        if (key == -2) break;
        if (key >= 0) driver.Run(key, KeyLabel(key));
        driver.Tick();
    }
    return driver.Finish();
}

}  // namespace host
