// CLinuxThread, thread creation and the start routine every layer thread runs.
#include "platform/linux_thread.h"

#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <new>

#include "platform/thread_layer_state.h"
#include "platform/thread_message.h"

namespace {

struct ThreadStartRecord {
    CLinuxThread* thread;
    LinuxThreadEntry entry;
    uintptr_t argument;
    bool createSuspended;
};

int SendSignal(CLinuxThread* thread, int signal) {
    if (!IsValidHandle(thread) || thread->Id() == 0) return -1;
    return pthread_kill(static_cast<pthread_t>(thread->Id()), signal);
}

}  // namespace

void* LinuxThreadStart(void* raw) {
    std::unique_ptr<ThreadStartRecord> start(static_cast<ThreadStartRecord*>(raw));
    CLinuxThread* thread = start->thread;
    if (!SaveCurrentThread(thread)) std::fputs("Unable to save thread handle.\n", stderr);
    // Known from here on, so that a suspended start never depends on the creator's timing.
    thread->id_.store(static_cast<LinuxThreadId>(pthread_self()));
    thread->exitCode_.store(kStillActive);
    if (start->createSuspended) pthread_kill(pthread_self(), SIGUSR1);
    thread->exitCode_.store(static_cast<int>(start->entry(start->argument)));
    return nullptr;
}

CLinuxThread::~CLinuxThread() = default;

int CLinuxThread::Acquire() {
    if (!started_.load() || joined_.exchange(true)) return -1;
    return pthread_join(static_cast<pthread_t>(id_.load()), nullptr) == 0 ? 0 : -1;
}

int CLinuxThread::Wait(int) {
    return Acquire();
}

LinuxThreadId LinuxCreateThread(CLinuxThread* thread, LinuxThreadEntry entry, uintptr_t argument) {
    if (!IsValidHandle(thread)) return kLinuxThreadFailed;
    std::unique_ptr<CLinuxRecordQueue> queue(new (std::nothrow) CLinuxRecordQueue());
    if (!queue || !queue->Create(kThreadQueueRecords, sizeof(ThreadMessage))) {
        return kLinuxThreadFailed;
    }
    thread->queue_ = std::move(queue);
    if (entry == nullptr) {
        thread->id_.store(static_cast<LinuxThreadId>(pthread_self()));
        return thread->id_.load();
    }
    if (!RunOneTimeInitialisation()) return kLinuxThreadFailed;
    auto* start =
        new (std::nothrow) ThreadStartRecord{thread, entry, argument, thread->CreateSuspended()};
    if (start == nullptr) return kLinuxThreadFailed;
    thread->exitCode_.store(kStillActive);
    pthread_t id{};
    if (pthread_create(&id, nullptr, LinuxThreadStart, start) != 0) {
        delete start;
        return kLinuxThreadFailed;
    }
    thread->id_.store(static_cast<LinuxThreadId>(id));
    thread->started_.store(true);
    return static_cast<LinuxThreadId>(id);
}

int LinuxSuspendThread(CLinuxThread* thread) {
    return SendSignal(thread, SIGUSR1);
}

int LinuxResumeThread(CLinuxThread* thread) {
    return SendSignal(thread, SIGUSR2);
}

CLinuxThread& MainThreadObject() {
    static CLinuxThread mainThread;
    return mainThread;
}

void DestroyMainThreadObject() {
    MainThreadObject().queue_.reset();
}
