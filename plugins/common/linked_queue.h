// The FIFO both plug-ins queue their events and requests in: nodes linked through
// their own `next` (a std::unique_ptr<Node>), one mutex held only while a node is
// linked or unlinked. With a limit above 0 the queue is bounded: at the limit the
// oldest node is dropped to make room.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>

template <typename Node>
class LinkedQueue {
  public:
    explicit LinkedQueue(std::size_t limit = 0) : limit_(limit) {}
    ~LinkedQueue() { Clear(); }
    LinkedQueue(const LinkedQueue&) = delete;
    LinkedQueue& operator=(const LinkedQueue&) = delete;

    void Append(std::unique_ptr<Node> node) {
        Node* last = node.get();
        std::lock_guard<std::mutex> lock(mutex_);
        // The oldest node is the least useful one.
        if (limit_ != 0 && count_ >= limit_) TakeHead();
        if (tail_) {
            tail_->next = std::move(node);
        } else {
            head_ = std::move(node);
        }
        tail_ = last;
        ++count_;
    }

    // The oldest node, unlinked; null when the queue is empty.
    std::unique_ptr<Node> Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return TakeHead();
    }

    std::size_t Count() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return count_;
    }

    bool Empty() const { return Count() == 0; }

    // One node at a time, so a long queue never recurses through destructors.
    void Clear() {
        while (Take()) {
        }
    }

  private:
    // Lock held.
    std::unique_ptr<Node> TakeHead() {
        std::unique_ptr<Node> node = std::move(head_);
        if (!node) return node;
        head_ = std::move(node->next);
        if (!head_) tail_ = nullptr;
        --count_;
        return node;
    }

    const std::size_t limit_;
    mutable std::mutex mutex_;
    std::unique_ptr<Node> head_;
    Node* tail_ = nullptr;
    std::size_t count_ = 0;
};
