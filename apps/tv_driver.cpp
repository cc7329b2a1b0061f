// Sending keys and menu events, waiting (bounded) for their effects, and the
// host's sleep timer and scan progress around them.
#include "apps/tv_driver.h"

#include <cstdio>

#include "apps/host_events.h"
#include "apps/live_preview.h"
#include "apps/sleep_follow.h"
#include "apps/status_line.h"
#include "apps/terminal_keys.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr int kQuietMs = 300;
constexpr int kStepMaxMs = 20000;
constexpr int kCloseMaxMs = 10000;
constexpr size_t kJournalTail = 40;
constexpr int kProgressBarWidth = 30;

constexpr int kMenuReport = 3;
constexpr int kAssignFavourite = 49;
constexpr int kSwitchToFavourites = 51;
constexpr int kStartFineTuning = 57;

}  // namespace

TvDriver::TvDriver(SleepTimer::Clock clock)
    : feed_([this](const std::string& key, int value) { session_.SendKey(key, value); }),
      sleep_(std::move(clock)),
      scan_(SimulatedScanCard()) {}

bool TvDriver::Open() {
    if (!session_.Open()) return false;
    WaitUntilQuiet(kQuietMs, kStepMaxMs);
    PrintStatusText("controller created", StatusLine());
    return true;
}

void TvDriver::Send(int key) {
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
}

void TvDriver::WaitForEffects() {
    WaitUntilQuiet(kQuietMs, kStepMaxMs, [this] {
        FollowScan();
        progress_.Show(scan_.Running() ? scan_.Text(kProgressBarWidth) : "");
    });
    FollowScan();
    progress_.Clear();
}

void TvDriver::Run(int key, const std::string& label) {
    const bool scanDoneBefore = scan_.Finished();
    Send(key);
    WaitForEffects();
    PrintStatusText(label, StatusLine());
    if (scan_.Finished() && !scanDoneBefore) std::printf("  %s\n", scan_.Text(0).c_str());
    livepreview::AfterTvKey(key);
    Tick();
}

void TvDriver::Tick() {
    if (feed_.Tick()) {
        WaitForEffects();
        PrintStatusText("digits committed", StatusLine());
    }
    const std::string message = FollowSleep();
    if (message.empty()) return;
    WaitForEffects();
    PrintStatusText(message, StatusLine());
}

void TvDriver::Press(int key) {
    Send(key);
}

void TvDriver::Follow() {
    feed_.Tick();
    FollowSleep();
    FollowScan();
}

void TvDriver::FollowScan() {
    const hostsim::State state = hostsim::CurrentState();
    scan_.Update(state.scanning, state.scanSlot);
}

void TvDriver::SetSleep(int seconds) {
    sleep_.Set(seconds);
    session_.SendSleepMinutes((seconds + 59) / 60);
}

std::string TvDriver::FollowSleep() {
    const SleepStep step =
        FollowSleepTimer(sleep_, [this](int minutes) { session_.SendSleepMinutes(minutes); });
    if (step.expired) {
        closedBySleep_ = true;
        Leave();
    }
    return step.message;
}

bool TvDriver::Ended() const {
    return EngineClosed() || TunerFailed();
}

void TvDriver::Leave() {
    feed_.Commit();
    if (leaving_ || EngineClosed()) return;
    leaving_ = true;
    session_.SendKey("x", 1);
}

std::string TvDriver::StatusLine() const {
    const std::string sleep = sleep_.StatusText();
    return TvStatusLine() + (sleep.empty() ? "" : " | " + sleep);
}

int TvDriver::Finish() {
    feed_.Commit();
    int result = 0;
    if (!EngineClosed()) {
        Leave();
        if (!WaitForEngineClosed(kCloseMaxMs)) {
            std::fprintf(stderr,
                         "mediahost: the TV engine did not report closing within %d s; the "
                         "settings may not be stored\n",
                         kCloseMaxMs / 1000);
            result = 1;
        }
    }
    WaitUntilQuiet(kQuietMs, kStepMaxMs);
    PrintStatusText("engine closed", StatusLine());
    session_.Close();
    std::printf("host events:\n%s", HostEventsText().c_str());
    PrintJournalTail(kJournalTail);
    if (TunerFailed()) {
        std::fprintf(stderr,
                     "mediahost: the TV tuner is not available (opening it failed): check that "
                     "the tuner service is installed and that no other program uses the tuner\n");
        result = 1;
    }
    return result;
}

}  // namespace host
