// The FM controller's UI queue: keys from the host and events from the engine and the
// setup menu, handled one at a time on the controller's UI thread. One queue per
// process, since the callback that fills it carries no context.
#pragma once

#include <stdint.h>

#include <memory>

#include "interfaces/abi_layout.h"
#include "plugins/common/linked_queue.h"

namespace sonidra {

enum : int { kUiNodeKey = 4, kUiNodeEvent = 17 };

// Longest key or event data a node holds; longer data is cut.
constexpr unsigned kUiPayloadBytes = 12;

struct UiEvent {
    int kind = 0;        // kUiNodeKey or kUiNodeEvent
    unsigned set = 0;    // command set (events), 2 or 20 (keys)
    int32_t first = 0;   // key length, or event code
    int32_t second = 0;  // completion flag, or event value
    char payload[kUiPayloadBytes] = {};
    std::unique_ptr<UiEvent> next;
};
// x86-64: an 8-byte link after 4 bytes of padding.
ZAQ_ASSERT_SIZE(UiEvent, 32, 40);
ZAQ_ASSERT_OFFSET(UiEvent, set, 4, 4);
ZAQ_ASSERT_OFFSET(UiEvent, first, 8, 8);
ZAQ_ASSERT_OFFSET(UiEvent, second, 12, 12);
ZAQ_ASSERT_OFFSET(UiEvent, payload, 16, 16);
ZAQ_ASSERT_OFFSET(UiEvent, next, 28, 32);

class UiQueue {
  public:
    // Copies at most kUiPayloadBytes of data (none when data is null).
    void Append(int kind, unsigned set, int32_t first, int32_t second, const char* data,
                unsigned size);
    std::unique_ptr<UiEvent> Take() { return events_.Take(); }
    void Clear() { events_.Clear(); }

  private:
    LinkedQueue<UiEvent> events_;
};

// The process's FM UI queue.
UiQueue& FmUiQueue();

// The controller's MediaEventCallback, handed to the engine and the setup menu: code 20
// queues a one-byte key, any other code an event. Returns 0.
int FmMediaEventCallback(int code, const char* data, unsigned len, int value);

}  // namespace sonidra
