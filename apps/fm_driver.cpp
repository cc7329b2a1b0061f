// Sending FM keys and menu events, waiting (bounded) for their effects, the
// host's sleep timer, and a seek's progress while it sweeps.
#include "apps/fm_driver.h"

#include <chrono>
#include <cstdio>
#include <map>

#include "apps/fm_screen.h"
#include "apps/host_events.h"
#include "apps/sleep_follow.h"
#include "apps/status_line.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr int kQuietMs = 300;
constexpr int kStepMaxMs = 20000;
constexpr int kCloseMaxMs = 10000;
constexpr size_t kJournalTail = 30;
constexpr int kSeekingFlag = 999;
// A seek has ended when the frequency has stood still this long.
constexpr std::chrono::milliseconds kSeekSettled{400};

constexpr int kMenuStorePreset = 112;
constexpr int kMenuListPresets = 111;

}  // namespace

std::string FmKeyLabel(int key) {
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

FmDriver::FmDriver(SleepTimer::Clock clock)
    : feed_([this](const std::string& key, int value) { session_.SendKey(key, value); }),
      sleep_(std::move(clock)) {}

bool FmDriver::Open() {
    if (!session_.Open()) return false;
    WaitUntilQuiet(kQuietMs, kStepMaxMs);
    PrintFmScreen("FM controller created");
    PrintNewHostEvents();
    return true;
}

void FmDriver::Send(int key) {
    if (key >= kStorePresetBase && key < kStorePresetBase + 10) {
        feed_.Commit();
        session_.SendMenuEvent(kMenuStorePreset, key - kStorePresetBase);
    } else if (key == kListPresets) {
        feed_.Commit();
        session_.SendMenuEvent(kMenuListPresets, 0);
    } else {
        feed_.Press(static_cast<unsigned char>(key));
    }
    seeking_ = key == '[' || key == ']';
    seekFrequency_ = hostsim::CurrentState().fmFrequency;
    seekMoved_ = std::chrono::steady_clock::now();
}

void FmDriver::FollowSeek() {
    if (!seeking_) return;
    const auto now = std::chrono::steady_clock::now();
    const hostsim::State state = hostsim::CurrentState();
    if (state.fmFrequency != seekFrequency_ || state.frequencyFlag == kSeekingFlag) {
        seekFrequency_ = state.fmFrequency;
        seekMoved_ = now;
    } else if (now - seekMoved_ >= kSeekSettled) {
        seeking_ = false;
    }
}

void FmDriver::WaitForEffects() {
    WaitUntilQuiet(kQuietMs, kStepMaxMs, [this] {
        FollowSeek();
        progress_.Show(SeekText());
    });
    progress_.Clear();
}

void FmDriver::Run(int key, const std::string& label) {
    Send(key);
    WaitForEffects();
    PrintFmScreen(label);
    PrintNewHostEvents();
    Tick();
}

void FmDriver::Tick() {
    if (feed_.Tick()) {
        WaitForEffects();
        PrintFmScreen("digits committed");
    }
    const std::string message = FollowSleep();
    if (message.empty()) return;
    WaitForEffects();
    PrintFmScreen(message);
    PrintNewHostEvents();
}

void FmDriver::Press(int key) {
    Send(key);
}

void FmDriver::Follow() {
    feed_.Tick();
    FollowSleep();
    FollowSeek();
}

void FmDriver::SetSleep(int seconds) {
    sleep_.Set(seconds);
    session_.SendSleepMinutes((seconds + 59) / 60);
}

std::string FmDriver::FollowSleep() {
    const SleepStep step =
        FollowSleepTimer(sleep_, [this](int minutes) { session_.SendSleepMinutes(minutes); });
    if (step.expired) {
        closedBySleep_ = true;
        Leave();
    }
    return step.message;
}

bool FmDriver::Ended() const {
    return FmSession::EngineClosed() || FmSession::TunerFailed();
}

void FmDriver::Leave() {
    feed_.Commit();
    if (leaving_ || FmSession::EngineClosed()) return;
    leaving_ = true;
    session_.SendKey("x", 1);
}

std::string FmDriver::SeekText() const {
    if (!seeking_ || seekFrequency_.empty()) return "";
    return "seeking: " + seekFrequency_ + " MHz";
}

void FmDriver::PrintNewHostEvents() {
    const auto events = FmSession::HostEvents();
    for (; printedEvents_ < events.size(); ++printedEvents_) {
        std::printf("host received (11, %d, %d, 0, 0)\n", events[printedEvents_].first,
                    events[printedEvents_].second);
    }
    std::fflush(stdout);
}

int FmDriver::Finish() {
    feed_.Commit();
    Leave();
    for (int waited = 0; waited < kCloseMaxMs && !FmSession::EngineClosed(); waited += kQuietMs)
        WaitUntilQuiet(kQuietMs, kQuietMs);
    WaitUntilQuiet(kQuietMs, kStepMaxMs);
    PrintFmScreen("radio closed");
    PrintNewHostEvents();
    const bool closed = FmSession::EngineClosed();
    session_.Close();
    std::printf("host events (11, code, argument):");
    for (const auto& event : FmSession::HostEvents())
        std::printf(" (%d, %d)", event.first, event.second);
    std::printf("\n");
    PrintJournalTail(kJournalTail);
    if (FmSession::TunerFailed()) {
        std::fprintf(stderr,
                     "mediahost: the FM tuner is not available (starting the radio failed): "
                     "check that the tuner service is installed and that no other program uses "
                     "the tuner\n");
        return 1;
    }
    if (!closed) {
        std::fprintf(stderr,
                     "mediahost: the FM radio did not report closing within %d s; the settings "
                     "may not be stored\n",
                     kCloseMaxMs / 1000);
        return 1;
    }
    return 0;
}

}  // namespace host
