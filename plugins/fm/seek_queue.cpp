// The seek request FIFO: a singly linked list whose mutex is held only while a node is
// linked or unlinked.
#include "plugins/fm/seek_queue.h"

namespace sonidra {

SeekQueue::~SeekQueue() {
    Clear();
}

void SeekQueue::Append(int command, int threshold, const int* start) {
    auto node = std::make_unique<SeekRequestNode>();
    node->command = command;
    node->threshold = threshold;
    node->start = start;
    std::lock_guard<std::mutex> lock(mutex_);
    SeekRequestNode* raw = node.get();
    if (tail_)
        tail_->next = std::move(node);
    else
        head_ = std::move(node);
    tail_ = raw;
}

std::unique_ptr<SeekRequestNode> SeekQueue::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!head_) return nullptr;
    std::unique_ptr<SeekRequestNode> node = std::move(head_);
    head_ = std::move(node->next);
    if (!head_) tail_ = nullptr;
    return node;
}

void SeekQueue::Clear() {
    // Unlink iteratively so a long list never recurses through the destructors.
    while (Take()) {
    }
}

bool SeekQueue::Empty() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return head_ == nullptr;
}

}  // namespace sonidra
