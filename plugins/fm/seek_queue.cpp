// The seek request FIFO.
#include "plugins/fm/seek_queue.h"

namespace sonidra {

void SeekQueue::Append(int command, int threshold, const int* start) {
    auto node = std::make_unique<SeekRequestNode>();
    node->command = command;
    node->threshold = threshold;
    node->start = start;
    requests_.Append(std::move(node));
}

}  // namespace sonidra
