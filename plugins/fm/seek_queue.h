// The FM wrapper's seek requests: a FIFO filled by Command (37, 38) on the controller's
// thread and emptied by the seek worker.
#pragma once

#include <memory>

#include "interfaces/abi_layout.h"
#include "plugins/common/linked_queue.h"

namespace sonidra {

struct SeekRequestNode {
    int kind = 0;                // always 0
    int command = 0;             // 37 up, 38 down
    int threshold = 0;           // level a peak must reach
    const int* start = nullptr;  // read when the request is executed
    std::unique_ptr<SeekRequestNode> next;
};
// x86-64: 8-byte pointers, the first after 4 bytes of padding.
ZAQ_ASSERT_SIZE(SeekRequestNode, 20, 32);
ZAQ_ASSERT_OFFSET(SeekRequestNode, threshold, 8, 8);
ZAQ_ASSERT_OFFSET(SeekRequestNode, start, 12, 16);
ZAQ_ASSERT_OFFSET(SeekRequestNode, next, 16, 24);

class SeekQueue {
  public:
    void Append(int command, int threshold, const int* start);
    // The oldest request, or null when there is none.
    std::unique_ptr<SeekRequestNode> Take() { return requests_.Take(); }
    // Frees every request left.
    void Clear() { requests_.Clear(); }
    bool Empty() const { return requests_.Empty(); }

  private:
    LinkedQueue<SeekRequestNode> requests_;
};

}  // namespace sonidra
