// CVRLNBlockCopy: the frame-buffer renderer's copy of whole screens. Large
// copies use non-temporal stores so a frame headed for video memory does not
// evict the caches; overlapping ranges are copied backwards when the
// destination lies inside the source.
#pragma once

#include <cstddef>
#include <cstdint>

class CVRLNBlockCopy {
  public:
    using CopyFn = void (*)(uint8_t* destination, const uint8_t* source, size_t length);

    // Flags from the processor's features: the streaming routines need the
    // SSE-class stores; the MMX class gets 8-byte aligned 32-byte blocks;
    // without either a plain move is used.
    CVRLNBlockCopy();
    CVRLNBlockCopy(bool sseClass, bool mmxClass);

    void Copy(void* destination, const void* source, size_t length) const;

    bool SseClass() const { return sse_; }
    bool MmxClass() const { return mmx_; }

  private:
    bool sse_;
    bool mmx_;
    CopyFn forward_;
    CopyFn backward_;
};

// Below this length the streaming routines move bytes plainly.
constexpr size_t kStreamingThreshold = 64000;

// The routines themselves, for tests.
void StreamingCopyForward(uint8_t* destination, const uint8_t* source, size_t length);
void StreamingCopyBackward(uint8_t* destination, const uint8_t* source, size_t length);
void BlockCopyForward8(uint8_t* destination, const uint8_t* source, size_t length);
void PlainMove(uint8_t* destination, const uint8_t* source, size_t length);

// One line of a picture written through to memory that is not read back soon
// (the screen, the composition buffer): non-temporal stores whatever the
// length, so the converter's line stays the only cached copy. A frame of such
// lines ends with StreamingFence before anything else reads them.
void StreamingCopyLine(uint8_t* destination, const uint8_t* source, size_t length);
void StreamingFence();
