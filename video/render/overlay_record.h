// The shared overlay record through which another party (an on-screen display
// in this process) places small images over the video of the frame-buffer
// renderer: System V shared memory, 28 bytes, laid out below. Pointer fields
// are 32 bits wide, so everything they address lives below 4 GiB; the
// renderer allocates its composition buffer there (MAP_32BIT) and the other
// party must do the same for its items, pixels and lock. The lock object is a
// pthread_mutex_t.
//
// The key (118515 by default) goes through SetOverlayRecordKey so that tests
// running side by side do not share one segment.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interfaces/abi_layout.h"

constexpr int kOverlayRecordKey = 118515;
constexpr uint32_t kOverlayNoLock = 0xFFFFFFFFu;

#pragma pack(push, 1)
struct OverlayRecord {
    uint32_t items;  // address of the item array
    uint32_t itemCount;
    uint32_t lock;   // address of the lock object; 0 or kOverlayNoLock: none
    uint8_t active;  // 1 while a renderer is open
    uint8_t reserved[3];
    uint32_t composition;  // address of a buffer of screen bytes, the renderer's
    uint32_t seconds;      // time of the last shown frame
    uint32_t microseconds;
};

struct OverlayItem {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;  // drawn only when equal to the screen's
    int32_t unused;
    uint32_t pixels;      // address of width x bytes-per-pixel bytes per line
    int32_t transparent;  // nonzero: pixels of value 0 are not drawn
};
#pragma pack(pop)
// The same on both targets: on x86-64 the address fields stay 32 bits wide,
// which is why everything they address lives below 4 GiB.
ZAQ_ASSERT_SIZE(OverlayRecord, 28, 28);
ZAQ_ASSERT_OFFSET(OverlayRecord, itemCount, 4, 4);
ZAQ_ASSERT_OFFSET(OverlayRecord, lock, 8, 8);
ZAQ_ASSERT_OFFSET(OverlayRecord, active, 12, 12);
ZAQ_ASSERT_OFFSET(OverlayRecord, composition, 16, 16);
ZAQ_ASSERT_OFFSET(OverlayRecord, seconds, 20, 20);
ZAQ_ASSERT_OFFSET(OverlayRecord, microseconds, 24, 24);
ZAQ_ASSERT_SIZE(OverlayItem, 32, 32);
ZAQ_ASSERT_OFFSET(OverlayItem, width, 8, 8);
ZAQ_ASSERT_OFFSET(OverlayItem, bitsPerPixel, 16, 16);
ZAQ_ASSERT_OFFSET(OverlayItem, pixels, 24, 24);
ZAQ_ASSERT_OFFSET(OverlayItem, transparent, 28, 28);

void SetOverlayRecordKey(int key);
int OverlayRecordKey();

// The renderer's attachment: created when absent (0644, zero-filled).
class COverlayAttachment {
  public:
    COverlayAttachment() = default;
    COverlayAttachment(const COverlayAttachment&) = delete;
    COverlayAttachment& operator=(const COverlayAttachment&) = delete;
    ~COverlayAttachment() { Detach(); }

    // Attaches and, on success, gives the record a zeroed composition buffer
    // of bytes and sets its active flag. False when shared memory is missing.
    bool Attach(size_t compositionBytes);
    // Clears the active flag, frees the buffer, detaches, and removes the
    // segment when no process is attached any more.
    void Detach();

    OverlayRecord* Record() const { return record_; }
    uint8_t* Composition() const { return composition_; }
    // Stores the current time as that of the last shown frame.
    void StampFrame();

  private:
    int id_ = -1;
    OverlayRecord* record_ = nullptr;
    uint8_t* composition_ = nullptr;
    size_t compositionBytes_ = 0;
};

// What the items are drawn onto.
struct ComposeTarget {
    uint8_t* pixels;
    int width;
    int height;
    int pitch;
    int bitsPerPixel;
};

// True when composition would draw anything: items and a lock are present.
bool OverlayHasItems(const OverlayRecord& record);

// Draws every item of the record whose depth equals the target's, clipped to
// the target, under the record's lock; nothing without items or lock.
void ComposeOverlayItems(const OverlayRecord& record, const ComposeTarget& target);
