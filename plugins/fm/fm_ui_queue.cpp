// The UI queue and the callback that fills it.
#include "plugins/fm/fm_ui_queue.h"

#include <algorithm>
#include <cstring>

#include "interfaces/media_types.h"

namespace sonidra {

void UiQueue::Append(int kind, unsigned set, int32_t first, int32_t second, const char* data,
                     unsigned size) {
    auto node = std::make_unique<UiEvent>();
    node->kind = kind;
    node->set = set;
    node->first = first;
    node->second = second;
    if (data) std::memcpy(node->payload, data, std::min(size, kUiPayloadBytes));
    events_.Append(std::move(node));
}

UiQueue& FmUiQueue() {
    static UiQueue queue;
    return queue;
}

int FmMediaEventCallback(int code, const char* data, unsigned len, int value) {
    if (code == kCmdSetKey) {
        FmUiQueue().Append(kUiNodeKey, kCmdSetKey, static_cast<int32_t>(len), value, data, 1);
    } else {
        FmUiQueue().Append(kUiNodeEvent, static_cast<unsigned>(code), value,
                           static_cast<int32_t>(len), data, len);
    }
    return 0;
}

}  // namespace sonidra
