// Builds without SSE-class stores stream with plain moves.
#include <cstring>

#include "video/render/block_copy.h"

void StreamingCopyForward(uint8_t* destination, const uint8_t* source, size_t length) {
    std::memmove(destination, source, length);
}

void StreamingCopyBackward(uint8_t* destination, const uint8_t* source, size_t length) {
    std::memmove(destination, source, length);
}

void StreamingCopyLine(uint8_t* destination, const uint8_t* source, size_t length) {
    std::memcpy(destination, source, length);
}

void StreamingFence() {}
