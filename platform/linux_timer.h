// Periodic timers: one timer thread keeps the active timers in due-time order
// and posts a timer message to each timer's owner thread when it falls due.
//
// Due times are 64-bit milliseconds of a monotonic clock (injectable for
// tests), so they never wrap within the life of a process.
#pragma once

#include <cstdint>

class CLinuxThread;

class CLinuxTimer {
  public:
    // Owned by the calling layer thread (none on other threads).
    CLinuxTimer();
    // Owned by owner, which receives the timer messages.
    explicit CLinuxTimer(CLinuxThread* owner);
    // Stops the timer.
    virtual ~CLinuxTimer();
    CLinuxTimer(const CLinuxTimer&) = delete;
    CLinuxTimer& operator=(const CLinuxTimer&) = delete;

    uint32_t Id() const { return id_; }
    CLinuxThread* Owner() const { return owner_; }

  private:
    friend struct TimerList;

    CLinuxThread* owner_;
    uint32_t id_;
    uint32_t periodMs_ = 0;
    uint64_t dueMs_ = 0;
    CLinuxTimer* next_ = nullptr;
};

// Starts or restarts timer with a period in milliseconds (0 means 15); 0 on
// success, 1 on failure.
int LinuxSetTimer(CLinuxTimer* timer, uint32_t periodMs);
// 1 if timer is active and carries id, else 0. timer is only compared, never
// used, so the address of a destroyed timer is safe to pass.
int LinuxIsTimerActive(const CLinuxTimer* timer, uint32_t id);

// The clock the timers run on.
class TimerClock {
  public:
    virtual ~TimerClock() = default;
    virtual uint64_t NowMs() const = 0;
};
// Installs a clock (null restores the monotonic one) and returns the previous;
// install only while no timer is active. Call LinuxTimerWake after moving an
// installed clock so the timer thread looks again.
const TimerClock* InstallTimerClock(const TimerClock* clock);
void LinuxTimerWake();
// The due time the timer thread is waiting for, 0 when none.
uint64_t LinuxTimerAwaitedMs();
// How often the timer thread has gone to sleep for a due time; with the
// awaited time, tests see that it examined the list and chose to wait.
uint64_t LinuxTimerSleepCount();

// Library load and unload: the stop waits until no timer is active, then ends
// and joins the timer thread.
void StartTimerThread();
void StopTimerThread();
