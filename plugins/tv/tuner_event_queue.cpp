// Process-wide, bounded FIFO of tuner-service events.
#include "plugins/tv/tuner_event_queue.h"

#include <deque>
#include <mutex>

namespace {

struct TunerEventQueue {
    std::mutex lock;
    std::deque<TunerEvent> events;
};

TunerEventQueue& Queue() {
    static TunerEventQueue queue;
    return queue;
}

}  // namespace

extern "C" int QueueTunerEvent(void* source, int code, int a, int b) {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    // The oldest event is the least useful one: drop it to make room.
    if (queue.events.size() >= kTunerEventLimit) queue.events.pop_front();
    queue.events.push_back(TunerEvent{source, code, a, b});
    return 0;
}

bool TakeTunerEvent(TunerEvent* event) {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    if (queue.events.empty()) return false;
    if (event) *event = queue.events.front();
    queue.events.pop_front();
    return true;
}

std::size_t TunerEventCount() {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return queue.events.size();
}

void ClearTunerEvents() {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.events.clear();
}
