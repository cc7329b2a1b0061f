// The TV controller thread: takes one queued event every 10 ms and hands keys
// to the key table and messages to the message tables.
#include <chrono>

#include "plugins/common/sleep_ms.h"
#include "plugins/tv/tv_controller.h"

namespace {

// One controller thread per process.
std::atomic<bool> gControllerRunning{false};

constexpr int kPollMs = 10;

std::atomic<TvEventObserver> gObserver{nullptr};

// Keys carry their length and value as signed bytes.
int SignedByte(int value) {
    return static_cast<signed char>(value);
}

}  // namespace

extern "C" int TvMediaEventCallback(int code, const char* data, unsigned len, int value) {
    if (code == kCmdSetKey) {
        PushUiEvent(MakeUiEvent(kUiEventKey, kCmdSetKey, SignedByte(static_cast<int>(len)),
                                SignedByte(value), data, data ? 1 : 0));
    } else {
        PushUiEvent(MakeUiEvent(kUiEventMessage, SignedByte(code), value, static_cast<int>(len),
                                data, len));
    }
    return 0;
}

void TvController::StartThread() {
    gControllerRunning.store(true);
    thread_ = std::thread(&TvController::Run, this);
}

void TvController::StopThread() {
    gControllerRunning.store(false);
    if (thread_.joinable()) thread_.join();
}

void TvController::Run() {
    while (gControllerRunning.load()) {
        SleepMilliseconds(kPollMs);
        // Marked busy before the take, so WaitIdle never sees an empty queue
        // while an event is in hand.
        handling_.store(true);
        UiEvent event;
        if (PopUiEvent(&event)) HandleEvent(event);
        handling_.store(false);
    }
}

void SetTvEventObserver(TvEventObserver observer) {
    gObserver.store(observer);
}

void TvController::HandleEvent(const UiEvent& event) {
    std::lock_guard<std::recursive_mutex> guard(serial);
    if (TvEventObserver observer = gObserver.load()) observer(event);
    if (event.kind == kUiEventKey) {
        HandleKey(event.Text(), event.x, event.y);
    } else if (event.kind == kUiEventMessage) {
        // Room for the longest text a message handler writes back (a country).
        char data[ZAQ_COUNTRY_MAX_LENGTH] = {};
        for (std::size_t i = 0; i < event.length; ++i) data[i] = event.data[i];
        HandleMessage(event.code, event.x, event.y, data);
    }
}

bool TvController::WaitIdle(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!handling_.load() && UiEventCount() == 0 && !handling_.load()) return true;
        SleepMilliseconds(1);
    }
    return false;
}
