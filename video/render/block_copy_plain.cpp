// Builds without SSE-class stores stream with plain moves.
#include <cstring>

#include "video/render/block_copy.h"

void StreamingCopyForward(uint8_t* destination, const uint8_t* source, size_t length) {
    std::memmove(destination, source, length);
}

void StreamingCopyBackward(uint8_t* destination, const uint8_t* source, size_t length) {
    std::memmove(destination, source, length);
}

void StreamingCopyTwice(uint8_t* first, uint8_t* second, const uint8_t* source, size_t length) {
    std::memcpy(first, source, length);
    std::memcpy(second, source, length);
}
