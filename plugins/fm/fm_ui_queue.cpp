// The UI queue: a FIFO whose mutex is held only while a node is linked or unlinked.
#include "plugins/fm/fm_ui_queue.h"

#include <algorithm>
#include <cstring>

namespace sonidra {

UiQueue::~UiQueue() {
    Clear();
}

void UiQueue::Append(int kind, unsigned set, int32_t first, int32_t second, const char* data,
                     unsigned size) {
    auto node = std::make_unique<UiEvent>();
    node->kind = kind;
    node->set = set;
    node->first = first;
    node->second = second;
    if (data) std::memcpy(node->payload, data, std::min(size, kUiPayloadBytes));
    std::lock_guard<std::mutex> lock(mutex_);
    UiEvent* raw = node.get();
    if (tail_)
        tail_->next = std::move(node);
    else
        head_ = std::move(node);
    tail_ = raw;
}

std::unique_ptr<UiEvent> UiQueue::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!head_) return nullptr;
    std::unique_ptr<UiEvent> node = std::move(head_);
    head_ = std::move(node->next);
    if (!head_) tail_ = nullptr;
    return node;
}

void UiQueue::Clear() {
    while (Take()) {
    }
}

UiQueue& FmUiQueue() {
    static UiQueue queue;
    return queue;
}

int FmMediaEventCallback(int code, const char* data, unsigned len, int value) {
    constexpr int kKeySet = 20;
    if (code == kKeySet) {
        FmUiQueue().Append(kUiNodeKey, kKeySet, static_cast<int32_t>(len), value, data, 1);
    } else {
        FmUiQueue().Append(kUiNodeEvent, static_cast<unsigned>(code), value,
                           static_cast<int32_t>(len), data, len);
    }
    return 0;
}

}  // namespace sonidra
