// Choice of copy routines and the overlap rule.
#include "video/render/block_copy.h"

#include <cstring>

#include "platform/cpu_info.h"

namespace {

bool HasFeature(uint32_t bits) {
    CpuInfo info{};
    DetectCpu(&info);
    return (info.features & bits) == bits;
}

}  // namespace

void PlainMove(uint8_t* destination, const uint8_t* source, size_t length) {
    std::memmove(destination, source, length);
}

// 32-byte blocks once the destination is 8-byte aligned; the remainder plainly.
void BlockCopyForward8(uint8_t* destination, const uint8_t* source, size_t length) {
    const size_t head = std::min(length, size_t((8 - uintptr_t(destination) % 8) % 8));
    std::memmove(destination, source, head);
    size_t done = head;
    for (; done + 32 <= length; done += 32) std::memcpy(destination + done, source + done, 32);
    std::memmove(destination + done, source + done, length - done);
}

CVRLNBlockCopy::CVRLNBlockCopy() : CVRLNBlockCopy(HasFeature(kCpuSse2), HasFeature(kCpuMmx)) {}

CVRLNBlockCopy::CVRLNBlockCopy(bool sseClass, bool mmxClass) : sse_(sseClass), mmx_(mmxClass) {
    if (sse_) {
        forward_ = StreamingCopyForward;
        backward_ = StreamingCopyBackward;
    } else {
        forward_ = mmx_ ? BlockCopyForward8 : PlainMove;
        backward_ = PlainMove;
    }
}

void CVRLNBlockCopy::Copy(void* destination, const void* source, size_t length) const {
    auto* d = static_cast<uint8_t*>(destination);
    const auto* s = static_cast<const uint8_t*>(source);
    if (length == 0 || d == s) return;
    const bool inside = s < d && d < s + length;
    (inside ? backward_ : forward_)(d, s, length);
}
