// Process-wide FIFO of the TV controller's events.
#include "plugins/tv/ui_event_queue.h"

#include <cstring>
#include <deque>
#include <mutex>

namespace {

struct UiEventQueue {
    std::mutex lock;
    std::deque<UiEvent> events;
};

UiEventQueue& Queue() {
    static UiEventQueue queue;
    return queue;
}

}  // namespace

UiEvent MakeUiEvent(int kind, int code, int x, int y, const char* data, std::size_t length) {
    UiEvent event;
    event.kind = kind;
    event.code = code;
    event.x = x;
    event.y = y;
    if (data) {
        // Never past the node: longer data is handled as its first bytes.
        event.length = length < kUiEventDataBytes ? length : kUiEventDataBytes;
        std::memcpy(event.data, data, event.length);
    }
    return event;
}

void PushUiEvent(const UiEvent& event) {
    UiEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.events.push_back(event);
}

bool PopUiEvent(UiEvent* event) {
    UiEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    if (queue.events.empty()) return false;
    *event = queue.events.front();
    queue.events.pop_front();
    return true;
}

std::size_t UiEventCount() {
    UiEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return queue.events.size();
}

void ClearUiEvents() {
    UiEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.events.clear();
}
