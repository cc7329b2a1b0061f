// Threads of the layer: each has a message queue, can be joined by waiting on
// its object, and can be suspended and resumed by SIGUSR1 and SIGUSR2.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/record_queue.h"
#include "platform/sync_object.h"

// The entry function and its argument are pointer-wide so that a caller can
// pass an object; on the 32-bit target they are the 32-bit words of the interface.
using LinuxThreadEntry = uintptr_t (*)(uintptr_t argument);
using LinuxThreadId = unsigned long;
constexpr LinuxThreadId kLinuxThreadFailed = ~0UL;

class CLinuxThread final : public CLinuxSyncObject {
  public:
    explicit CLinuxThread(bool createSuspended = false) : createSuspended_(createSuspended) {}
    // Destroys the message queue; neither joins nor cancels the thread.
    ~CLinuxThread() override;

    const char* GetName() const override { return ""; }
    // Joins the thread.
    int Acquire() override;
    // Joins, whatever the time-out: 0 when the join succeeds, -1 otherwise.
    int Wait(int timeoutMs) override;

    LinuxThreadId Id() const { return id_.load(); }
    CLinuxRecordQueue* Queue() { return queue_.get(); }
    // kStillActive while the entry function runs, then its result.
    int ExitCode() const { return exitCode_.load(); }
    bool CreateSuspended() const { return createSuspended_; }

  private:
    friend LinuxThreadId LinuxCreateThread(CLinuxThread*, LinuxThreadEntry, uintptr_t);
    friend void* LinuxThreadStart(void*);
    friend void DestroyMainThreadObject();

    std::atomic<LinuxThreadId> id_{0};
    std::unique_ptr<CLinuxRecordQueue> queue_;
    uint32_t reserved_ = 0;
    std::atomic<int> exitCode_{0};
    bool createSuspended_;
    std::atomic<bool> started_{false};
    std::atomic<bool> joined_{false};
};

// Makes thread's message queue and starts entry(argument) on a new thread; with
// a null entry the object becomes a handle for the calling thread. Returns the
// thread id, or kLinuxThreadFailed.
LinuxThreadId LinuxCreateThread(CLinuxThread* thread, LinuxThreadEntry entry, uintptr_t argument);

// Result of sending SIGUSR1 / SIGUSR2, or -1 when the thread id is not known.
int LinuxSuspendThread(CLinuxThread* thread);
int LinuxResumeThread(CLinuxThread* thread);

// The calling thread's object; null in a thread not started by the layer.
CLinuxThread* LinuxGetCurrentThread();

// The object that stands for the thread that ran the one-time initialisation.
CLinuxThread& MainThreadObject();
// Unload: destroys the main-thread object's queue, deletes the thread-specific
// key and gives SIGUSR1 and SIGUSR2 back to their previous handlers.
void ShutdownThreadLayer();
