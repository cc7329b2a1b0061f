// Process-wide, bounded FIFO of tuner-service events: a list of nodes with head
// and tail, guarded by one mutex.
#include "plugins/tv/tuner_event_queue.h"

#include <mutex>

namespace {

struct TunerEventQueue {
    std::mutex lock;
    std::unique_ptr<TunerEvent> head;
    TunerEvent* tail = nullptr;
    std::size_t count = 0;

    // Lock held.
    std::unique_ptr<TunerEvent> TakeHead() {
        std::unique_ptr<TunerEvent> node = std::move(head);
        if (!node) return node;
        head = std::move(node->next);
        if (!head) tail = nullptr;
        --count;
        return node;
    }
};

TunerEventQueue& Queue() {
    static TunerEventQueue queue;
    return queue;
}

}  // namespace

extern "C" int QueueTunerEvent(void* source, int code, int a, int b) {
    auto node = std::make_unique<TunerEvent>();
    node->source = source;
    node->code = code;
    node->a = a;
    node->b = b;
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    // The oldest event is the least useful one: drop it to make room.
    if (queue.count >= kTunerEventLimit) queue.TakeHead();
    TunerEvent* last = node.get();
    if (queue.tail) {
        queue.tail->next = std::move(node);
    } else {
        queue.head = std::move(node);
    }
    queue.tail = last;
    ++queue.count;
    return 0;
}

std::unique_ptr<TunerEvent> TakeTunerEvent() {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return queue.TakeHead();
}

std::size_t TunerEventCount() {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return queue.count;
}

void ClearTunerEvents() {
    TunerEventQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    // One node at a time: no chain of nested destructors.
    while (queue.TakeHead()) {
    }
}
