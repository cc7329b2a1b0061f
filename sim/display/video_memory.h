// Video memory of the simulated controller: one shared mapping of a memory
// file (so the frame-buffer seam can open the same bytes by path), placed
// below 4 GiB so that 32-bit words hold its addresses, and the blocks
// (surfaces and buffers) handed out from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#define SIM_DISPLAY_INTERNAL __attribute__((visibility("default")))

namespace simdisplay {

struct Block {
    uint32_t offset = 0;
    uint32_t bytes = 0;
    int width = 0;
    int height = 0;
    int bits = 0;
    int pitch = 0;
    std::string owner;
    int locks = 0;
};

class SIM_DISPLAY_INTERNAL VideoMemory {
  public:
    static constexpr uint32_t kBytes = 32u << 20;
    static constexpr uint32_t kAlignment = 4096;

    VideoMemory();
    ~VideoMemory();
    VideoMemory(const VideoMemory&) = delete;
    VideoMemory& operator=(const VideoMemory&) = delete;

    bool Valid() const { return base_ != nullptr; }
    uint8_t* Base() const { return base_; }
    uint32_t Address() const;
    // "/proc/self/fd/N" of the memory file.
    const std::string& Path() const { return path_; }
    // Null unless offset .. offset + bytes lies inside.
    uint8_t* At(uint32_t offset, size_t bytes) const;
    bool OffsetOf(uint32_t address, uint32_t* offset) const;
    void Clear();

    // First fit at or above floor; 0 when nothing fits.
    uint32_t Allocate(uint32_t floor, const Block& shape);
    Block* Find(uint32_t offset);
    bool Release(uint32_t offset);
    void ReleaseOwnedBy(const std::string& owner);
    void ReleaseAll() { blocks_.clear(); }
    bool Overlaps(uint32_t begin, uint32_t end) const;
    const std::map<uint32_t, Block>& Blocks() const { return blocks_; }

  private:
    int fd_ = -1;
    uint8_t* base_ = nullptr;
    std::string path_;
    std::map<uint32_t, Block> blocks_;
};

}  // namespace simdisplay
