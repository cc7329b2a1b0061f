// The TV engine's queue of tuner-service events. The service calls
// QueueTunerEvent on its own thread; nothing in the plug-in reads the events
// yet, so the queue keeps only the newest kTunerEventLimit of them and is
// emptied when the engine goes, instead of growing for a whole session.
#pragma once

#include <cstddef>
#include <memory>

#include "interfaces/abi_layout.h"

// One event as the service reported it, and the queue's link to the next.
struct TunerEvent {
    void* source = nullptr;
    int code = 0;
    int a = 0;
    int b = 0;
    std::unique_ptr<TunerEvent> next;
};
// x86-64: 8-byte pointers, the link after 4 bytes of padding.
ZAQ_ASSERT_SIZE(TunerEvent, 20, 32);
ZAQ_ASSERT_OFFSET(TunerEvent, code, 4, 8);
ZAQ_ASSERT_OFFSET(TunerEvent, b, 12, 16);
ZAQ_ASSERT_OFFSET(TunerEvent, next, 16, 24);

constexpr std::size_t kTunerEventLimit = 64;

// The callback handed to ZAQ_InstallCallbackFunction: queues and returns 0.
extern "C" int QueueTunerEvent(void* source, int code, int a, int b);

// Takes the oldest event (unlinked); null when the queue is empty.
std::unique_ptr<TunerEvent> TakeTunerEvent();
std::size_t TunerEventCount();
void ClearTunerEvents();
