// The memory file, its mapping below 4 GiB, and first-fit allocation.
#include "sim/display/video_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace simdisplay {
namespace {

constexpr uint64_t kFourGiB = uint64_t(1) << 32;

uint32_t AlignUp(uint64_t value) {
    const uint64_t a = VideoMemory::kAlignment;
    return uint32_t((value + a - 1) / a * a);
}

// MAP_32BIT gives addresses in the low 2 GiB on x86-64; elsewhere a 32-bit
// address space has nothing else to give.
void* MapLow(int fd, size_t bytes) {
    int flags = MAP_SHARED;
#if defined(__x86_64__)
    flags |= MAP_32BIT;
#endif
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, flags, fd, 0);
    if (p == MAP_FAILED) return nullptr;
    if (uint64_t(reinterpret_cast<uintptr_t>(p)) + bytes > kFourGiB) {
        munmap(p, bytes);
        return nullptr;
    }
    return p;
}

}  // namespace

VideoMemory::VideoMemory() {
    fd_ = memfd_create("sim-display-video-memory", MFD_CLOEXEC);
    if (fd_ < 0) return;
    if (ftruncate(fd_, off_t(kBytes)) != 0) return;
    base_ = static_cast<uint8_t*>(MapLow(fd_, kBytes));
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd_);
    path_ = path;
}

VideoMemory::~VideoMemory() {
    if (base_ != nullptr) munmap(base_, kBytes);
    if (fd_ >= 0) close(fd_);
}

uint32_t VideoMemory::Address() const {
    return uint32_t(reinterpret_cast<uintptr_t>(base_));
}

uint8_t* VideoMemory::At(uint32_t offset, size_t bytes) const {
    if (base_ == nullptr || uint64_t(offset) + bytes > kBytes) return nullptr;
    return base_ + offset;
}

bool VideoMemory::OffsetOf(uint32_t address, uint32_t* offset) const {
    if (base_ == nullptr || address < Address() || address - Address() >= kBytes) return false;
    *offset = address - Address();
    return true;
}

void VideoMemory::Clear() {
    if (base_ != nullptr) std::memset(base_, 0, kBytes);
}

uint32_t VideoMemory::Allocate(uint32_t floor, const Block& shape) {
    if (base_ == nullptr || shape.bytes == 0 || shape.bytes > kBytes) return 0;
    uint64_t candidate = AlignUp(floor == 0 ? kAlignment : floor);
    for (const auto& entry : blocks_) {
        const Block& b = entry.second;
        if (uint64_t(b.offset) + b.bytes <= candidate) continue;
        if (candidate + shape.bytes <= b.offset) break;
        candidate = AlignUp(uint64_t(b.offset) + b.bytes);
    }
    if (candidate + shape.bytes > kBytes) return 0;
    Block block = shape;
    block.offset = uint32_t(candidate);
    block.locks = 0;
    blocks_[block.offset] = block;
    return block.offset;
}

Block* VideoMemory::Find(uint32_t offset) {
    auto it = blocks_.find(offset);
    return it == blocks_.end() ? nullptr : &it->second;
}

bool VideoMemory::Release(uint32_t offset) {
    return blocks_.erase(offset) == 1;
}

void VideoMemory::ReleaseOwnedBy(const std::string& owner) {
    for (auto it = blocks_.begin(); it != blocks_.end();)
        it = it->second.owner == owner ? blocks_.erase(it) : std::next(it);
}

bool VideoMemory::Overlaps(uint32_t begin, uint32_t end) const {
    for (const auto& entry : blocks_) {
        const Block& b = entry.second;
        if (b.offset < end && begin < b.offset + b.bytes) return true;
    }
    return false;
}

}  // namespace simdisplay
