// Messages between threads: records in each layer thread's message queue.
#pragma once

#include <cstdint>

#include "interfaces/abi_layout.h"
#include "platform/linux_thread.h"

// Parameters are pointer-wide (a timer message carries the timer's address):
// the 12-byte record of three 32-bit words on i386, 24 bytes on x86-64.
struct ThreadMessage {
    uint32_t id;
    uintptr_t param1;
    uintptr_t param2;
};
ZAQ_ASSERT_SIZE(ThreadMessage, 12, 24);
ZAQ_ASSERT_OFFSET(ThreadMessage, param1, 4, 8);
ZAQ_ASSERT_OFFSET(ThreadMessage, param2, 8, 16);

constexpr int kThreadQueueRecords = 1024;
// Posting is refused once a queue holds more than this many messages.
constexpr int kThreadQueuePostLimit = 1004;
constexpr uint32_t kTimerMessage = 275;

// 1 when queued, 0 when refused (queue over the limit or no queue).
int LinuxPostThreadMessage(CLinuxThread* thread, uint32_t id, uintptr_t param1, uintptr_t param2);

// Never waits: 1 with the oldest message (removed if remove is set), 0 when none.
int LinuxPeekThreadMessage(CLinuxThread* thread, uint32_t* id, uintptr_t* param1, uintptr_t* param2,
                           uint32_t filterMin, uint32_t filterMax, bool remove);

// Waits for the next message of thread's queue, dropping timer messages of
// timers no longer active. 1 for a message, 0 after the queue was woken or
// when the thread has no queue.
int LinuxGetThreadMessage(CLinuxThread* thread, uint32_t* id, uintptr_t* param1, uintptr_t* param2);
