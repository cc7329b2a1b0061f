// CLinuxTimer, the active list kept in due-time order, and the timer thread.
#include "platform/linux_timer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/linux_thread.h"
#include "platform/sync_object.h"
#include "platform/thread_message.h"

namespace {

constexpr uint32_t kMinimumPeriodMs = 15;

class MonotonicClock final : public TimerClock {
  public:
    uint64_t NowMs() const override { return MonotonicMs(); }
};

const MonotonicClock g_monotonic;
std::atomic<const TimerClock*> g_clock{&g_monotonic};
std::atomic<uint32_t> g_nextId{1};

uint64_t Now() {
    return g_clock.load()->NowMs();
}

}  // namespace

// All timer state, guarded by its mutex.
struct TimerList {
    std::mutex mutex;
    std::condition_variable condition;
    CLinuxTimer* head = nullptr;
    uint64_t awaitedMs = 0;
    bool quit = false;
    uint64_t sleeps = 0;
    std::unique_ptr<CLinuxThread> thread;
    std::mutex threadGuard;  // starting and stopping the thread

    static TimerList& Get() {
        static TimerList list;
        return list;
    }

    bool Contains(const CLinuxTimer* timer) const {
        for (const CLinuxTimer* t = head; t != nullptr; t = t->next_) {
            if (t == timer) return true;
        }
        return false;
    }

    // The thread waits for the old due time no longer.
    void Unlink(CLinuxTimer* timer) {
        for (CLinuxTimer** link = &head; *link != nullptr; link = &(*link)->next_) {
            if (*link != timer) continue;
            *link = timer->next_;
            timer->next_ = nullptr;
            if (awaitedMs == timer->dueMs_) condition.notify_all();
            return;
        }
    }

    // Ahead of timers due at the same moment, so the latest (re)started goes first.
    void Reinsert(CLinuxTimer* timer) {
        Unlink(timer);
        CLinuxTimer** link = &head;
        while (*link != nullptr && (*link)->dueMs_ < timer->dueMs_) link = &(*link)->next_;
        timer->next_ = *link;
        *link = timer;
        const bool others = head != timer || timer->next_ != nullptr;
        if (others && awaitedMs != 0 && awaitedMs <= timer->dueMs_) return;
        awaitedMs = timer->dueMs_;
        condition.notify_all();
    }

    void Restart(CLinuxTimer* timer, uint32_t periodMs) {
        timer->periodMs_ = periodMs;
        timer->dueMs_ = Now() + periodMs;
        Reinsert(timer);
    }

    // Missed periods are skipped, never delivered in a burst.
    static void Advance(CLinuxTimer* timer, uint64_t now) {
        if (timer->dueMs_ > now) return;
        const uint64_t missed = (now - timer->dueMs_) / timer->periodMs_ + 1;
        timer->dueMs_ += missed * timer->periodMs_;
    }

    void Fire(CLinuxTimer* timer, uint64_t now) {
        if (timer->owner_ != nullptr) {
            LinuxPostThreadMessage(timer->owner_, kTimerMessage, reinterpret_cast<uintptr_t>(timer),
                                   timer->id_);
        }
        Advance(timer, now);
        Reinsert(timer);
    }

    void Loop() {
        std::unique_lock<std::mutex> hold(mutex);
        for (;;) {
            while (head == nullptr) {
                awaitedMs = 0;
                if (quit) return;
                condition.wait(hold);
            }
            awaitedMs = 0;
            CLinuxTimer* timer = head;
            const uint64_t now = Now();
            if (timer->dueMs_ > now) {
                awaitedMs = timer->dueMs_;
                ++sleeps;
                condition.wait_for(hold, std::chrono::milliseconds(timer->dueMs_ - now));
                continue;
            }
            Fire(timer, now);
        }
    }

    void Start() {
        std::lock_guard<std::mutex> guard(threadGuard);
        if (thread) return;
        {
            std::lock_guard<std::mutex> hold(mutex);
            quit = false;
        }
        auto started = std::make_unique<CLinuxThread>();
        if (LinuxCreateThread(started.get(), &TimerList::Entry, 0) != kLinuxThreadFailed) {
            thread = std::move(started);
        }
    }

    // Waits, looking every 5 ms, until the owners have destroyed their timers;
    // then the thread ends and is joined, so it never runs on unmapped code.
    void Stop() {
        std::lock_guard<std::mutex> guard(threadGuard);
        std::unique_lock<std::mutex> hold(mutex);
        quit = true;
        while (head != nullptr) {
            condition.notify_all();
            hold.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            hold.lock();
        }
        condition.notify_all();
        hold.unlock();
        if (thread) thread->Wait(kInfinite);
        thread.reset();
    }

    static uintptr_t Entry(uintptr_t) {
        Get().Loop();
        return 0;
    }
};

CLinuxTimer::CLinuxTimer() : CLinuxTimer(LinuxGetCurrentThread()) {}

CLinuxTimer::CLinuxTimer(CLinuxThread* owner) : owner_(owner), id_(g_nextId.fetch_add(1)) {}

CLinuxTimer::~CLinuxTimer() {
    TimerList& list = TimerList::Get();
    std::lock_guard<std::mutex> hold(list.mutex);
    list.Unlink(this);
}

int LinuxSetTimer(CLinuxTimer* timer, uint32_t periodMs) {
    if (timer == nullptr) return 1;
    TimerList& list = TimerList::Get();
    {
        std::lock_guard<std::mutex> hold(list.mutex);
        list.Restart(timer, periodMs == 0 ? kMinimumPeriodMs : periodMs);
    }
    list.Start();
    return 0;
}

int LinuxIsTimerActive(const CLinuxTimer* timer, uint32_t id) {
    TimerList& list = TimerList::Get();
    std::lock_guard<std::mutex> hold(list.mutex);
    return list.Contains(timer) && timer->Id() == id ? 1 : 0;
}

const TimerClock* InstallTimerClock(const TimerClock* clock) {
    const TimerClock* previous = g_clock.exchange(clock != nullptr ? clock : &g_monotonic);
    return previous == &g_monotonic ? nullptr : previous;
}

void LinuxTimerWake() {
    TimerList& list = TimerList::Get();
    std::lock_guard<std::mutex> hold(list.mutex);
    list.condition.notify_all();
}

uint64_t LinuxTimerAwaitedMs() {
    TimerList& list = TimerList::Get();
    std::lock_guard<std::mutex> hold(list.mutex);
    return list.awaitedMs;
}

void StartTimerThread() {
    TimerList::Get().Start();
}

void StopTimerThread() {
    TimerList::Get().Stop();
}

uint64_t LinuxTimerSleepCount() {
    TimerList& list = TimerList::Get();
    std::lock_guard<std::mutex> hold(list.mutex);
    return list.sleeps;
}
