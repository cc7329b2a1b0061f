// Process-wide FIFO of the TV controller's events.
#include "plugins/tv/ui_event_queue.h"

#include <cstring>
#include <memory>

#include "plugins/common/linked_queue.h"

namespace {

// The event keeps its byte count where a link would be, so the queue links a copy.
struct UiEventNode {
    UiEvent event;
    std::unique_ptr<UiEventNode> next;
};

LinkedQueue<UiEventNode>& Queue() {
    static LinkedQueue<UiEventNode> queue;
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
    auto node = std::make_unique<UiEventNode>();
    node->event = event;
    Queue().Append(std::move(node));
}

bool PopUiEvent(UiEvent* event) {
    std::unique_ptr<UiEventNode> node = Queue().Take();
    if (!node) return false;
    *event = node->event;
    return true;
}

std::size_t UiEventCount() {
    return Queue().Count();
}

void ClearUiEvents() {
    Queue().Clear();
}
