// Process-wide, bounded FIFO of tuner-service events.
#include "plugins/tv/tuner_event_queue.h"

#include "plugins/common/linked_queue.h"

namespace {

LinkedQueue<TunerEvent>& Queue() {
    static LinkedQueue<TunerEvent> queue(kTunerEventLimit);
    return queue;
}

}  // namespace

extern "C" int QueueTunerEvent(void* source, int code, int a, int b) {
    auto node = std::make_unique<TunerEvent>();
    node->source = source;
    node->code = code;
    node->a = a;
    node->b = b;
    Queue().Append(std::move(node));
    return 0;
}

std::unique_ptr<TunerEvent> TakeTunerEvent() {
    return Queue().Take();
}

std::size_t TunerEventCount() {
    return Queue().Count();
}

void ClearTunerEvents() {
    Queue().Clear();
}
