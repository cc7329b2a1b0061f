// The TV controller's queue of key and message events: filled from the host's
// thread and from the engine's and menu's callbacks, emptied one event at a
// time by the controller thread. One queue per process (one TV controller).
#pragma once

#include <cstddef>
#include <string>

#include "interfaces/abi_layout.h"

enum UiEventKind : int {
    kUiEventKey = 4,
    kUiEventMessage = 14,
};

// A node holds at most this many data bytes; longer data is cut to them.
constexpr std::size_t kUiEventDataBytes = 12;

// The 32-byte node of the controller's queue. The queue links the events
// itself, so the word after the data holds their byte count instead of a link.
struct UiEvent {
    int kind = 0;
    int code = 0;
    int x = 0;
    int y = 0;
    char data[kUiEventDataBytes] = {};
    // Bytes of data actually held (0..12).
    std::size_t length = 0;

    std::string Text() const { return std::string(data, length); }
};
// x86-64: the count is 8 bytes wide, after 4 bytes of padding.
ZAQ_ASSERT_SIZE(UiEvent, 32, 40);
ZAQ_ASSERT_OFFSET(UiEvent, code, 4, 4);
ZAQ_ASSERT_OFFSET(UiEvent, x, 8, 8);
ZAQ_ASSERT_OFFSET(UiEvent, y, 12, 12);
ZAQ_ASSERT_OFFSET(UiEvent, data, 16, 16);
ZAQ_ASSERT_OFFSET(UiEvent, length, 28, 32);

// Copies at most kUiEventDataBytes of data (none when data is null).
UiEvent MakeUiEvent(int kind, int code, int x, int y, const char* data, std::size_t length);

void PushUiEvent(const UiEvent& event);
// Takes the oldest event; false when the queue is empty.
bool PopUiEvent(UiEvent* event);
std::size_t UiEventCount();
// Drops every queued event.
void ClearUiEvents();
