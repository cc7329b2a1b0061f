// The service's event thread: while a tuner is open it sends queued events and, every
// interval, a playback-status event (32788, playback state, position) through the callback
// installed with ZAQ_InstallCallbackFunction.
#include <chrono>

#include "sim/tuner/tonvex/card.h"

namespace tonvex {
namespace {

// What the service names as the source of its events.
int eventSource;

}  // namespace

void Card::StartEventThreadLocked() {
    std::lock_guard<std::mutex> lock(eventMutex_);
    if (eventRunning_) return;
    eventRunning_ = true;
    eventStop_ = false;
    events_.clear();
    eventThread_ = std::thread(&Card::EventLoop, this);
}

void Card::StopEventThread() {
    std::thread thread;
    {
        std::lock_guard<std::mutex> lock(eventMutex_);
        if (!eventRunning_) return;
        eventRunning_ = false;
        eventStop_ = true;
        thread = std::move(eventThread_);
    }
    eventWake_.notify_all();
    if (!thread.joinable()) return;
    if (thread.get_id() == std::this_thread::get_id())
        thread.detach();  // closed from the event callback: the loop ends by itself
    else
        thread.join();
}

void Card::EventLoop() {
    using Clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(eventMutex_);
    auto nextPeriodic = Clock::now() + std::chrono::milliseconds(eventIntervalMs_);
    while (!eventStop_) {
        Event event{};
        if (!events_.empty()) {
            event = events_.front();
            events_.pop_front();
        } else if (eventIntervalMs_ > 0) {
            if (eventWake_.wait_until(lock, nextPeriodic) != std::cv_status::timeout) continue;
            nextPeriodic += std::chrono::milliseconds(eventIntervalMs_);
            lock.unlock();
            {
                std::lock_guard<std::mutex> stateLock(mutex_);
                event = {ZAQ_EVENT_PLAYBACK_STATUS, playbackState_,
                         static_cast<int>(playbackPosition_)};
            }
            lock.lock();
            if (eventStop_) break;
        } else {
            eventWake_.wait(lock);
            continue;
        }
        lock.unlock();
        {
            std::lock_guard<std::mutex> fnLock(eventFnMutex_);
            if (eventFn_) eventFn_(&eventSource, event.code, event.a, event.b);
        }
        lock.lock();
    }
}

void Card::SetEventInterval(int milliseconds) {
    std::lock_guard<std::mutex> lock(eventMutex_);
    eventIntervalMs_ = milliseconds < 0 ? 0 : milliseconds;
}

int Card::EmitEvent(int code, int a, int b) {
    {
        std::lock_guard<std::mutex> lock(eventMutex_);
        if (!eventRunning_) return -1;
        events_.push_back({code, a, b});
    }
    eventWake_.notify_all();
    return 0;
}

}  // namespace tonvex
