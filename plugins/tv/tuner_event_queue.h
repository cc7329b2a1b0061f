// The TV engine's queue of tuner-service events. The service calls
// QueueTunerEvent on its own thread; nothing in the plug-in reads the events
// yet, so the queue keeps only the newest kTunerEventLimit of them and is
// emptied when the engine goes, instead of growing for a whole session.
#pragma once

#include <cstddef>

struct TunerEvent {
    void* source;
    int code;
    int a;
    int b;
};

constexpr std::size_t kTunerEventLimit = 64;

// The callback handed to ZAQ_InstallCallbackFunction: queues and returns 0.
extern "C" int QueueTunerEvent(void* source, int code, int a, int b);

// Takes the oldest event; false when the queue is empty.
bool TakeTunerEvent(TunerEvent* event);
std::size_t TunerEventCount();
void ClearTunerEvents();
