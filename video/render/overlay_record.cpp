// Attaching the shared overlay record and composing its items.
#include "video/render/overlay_record.h"

#include <pthread.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <sys/time.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

std::atomic<int> g_key{kOverlayRecordKey};

template <typename T>
T* FromAddress(uint32_t address) {
    return reinterpret_cast<T*>(uintptr_t(address));
}

uint8_t* AllocateLow(size_t bytes) {
#ifdef MAP_32BIT
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT,
                   -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<uint8_t*>(p);
#else
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    if (uintptr_t(p) + bytes > 0xFFFFFFFFu) {
        munmap(p, bytes);
        return nullptr;
    }
    return static_cast<uint8_t*>(p);
#endif
}

bool DepthMatches(int itemBits, int screenBits) {
    return itemBits == screenBits;
}

// One line of an item; transparent 16- and 32-bit pixels of value 0 are
// skipped, transparent 24-bit pixels too when all three bytes are 0.
void DrawLine(uint8_t* out, const uint8_t* in, int pixels, int bytes, bool transparent) {
    if (!transparent) {
        std::memcpy(out, in, size_t(pixels) * bytes);
        return;
    }
    static const uint8_t kZero[4] = {0, 0, 0, 0};
    for (int x = 0; x < pixels; ++x)
        if (std::memcmp(in + x * bytes, kZero, size_t(bytes)) != 0)
            std::memcpy(out + x * bytes, in + x * bytes, size_t(bytes));
}

void DrawItem(const OverlayItem& item, const ComposeTarget& t) {
    const uint8_t* pixels = FromAddress<const uint8_t>(item.pixels);
    if (pixels == nullptr || item.width <= 0 || item.height <= 0) return;
    if (!DepthMatches(item.bitsPerPixel, t.bitsPerPixel)) return;
    const int bytes = (t.bitsPerPixel + 7) / 8;
    // Items partly off the screen are clipped, never written past it.
    const int left = std::max(item.x, 0), top = std::max(item.y, 0);
    const int right = std::min(int64_t(item.x) + item.width, int64_t(t.width));
    const int bottom = std::min(int64_t(item.y) + item.height, int64_t(t.height));
    if (left >= right || top >= bottom) return;
    const size_t itemPitch = size_t(item.width) * bytes;
    for (int y = top; y < bottom; ++y) {
        const uint8_t* in = pixels + size_t(y - item.y) * itemPitch + size_t(left - item.x) * bytes;
        uint8_t* out = t.pixels + size_t(y) * t.pitch + size_t(left) * bytes;
        DrawLine(out, in, right - left, bytes, item.transparent != 0);
    }
}

}  // namespace

void SetOverlayRecordKey(int key) {
    g_key = key;
}

int OverlayRecordKey() {
    return g_key;
}

bool COverlayAttachment::Attach(size_t compositionBytes) {
    Detach();
    id_ = shmget(key_t(OverlayRecordKey()), sizeof(OverlayRecord), IPC_CREAT | 0644);
    if (id_ < 0) return false;
    void* p = shmat(id_, nullptr, 0);
    if (p == reinterpret_cast<void*>(-1)) {
        id_ = -1;
        return false;
    }
    record_ = static_cast<OverlayRecord*>(p);
    composition_ = AllocateLow(compositionBytes);
    compositionBytes_ = composition_ != nullptr ? compositionBytes : 0;
    record_->composition = uint32_t(uintptr_t(composition_));
    record_->active = 1;
    return true;
}

void COverlayAttachment::Detach() {
    if (record_ == nullptr) return;
    record_->active = 0;
    record_->composition = 0;
    if (composition_ != nullptr) munmap(composition_, compositionBytes_);
    composition_ = nullptr;
    shmdt(record_);
    record_ = nullptr;
    shmid_ds info{};
    if (shmctl(id_, IPC_STAT, &info) == 0 && info.shm_nattch == 0) shmctl(id_, IPC_RMID, nullptr);
    id_ = -1;
}

void COverlayAttachment::StampFrame() {
    if (record_ == nullptr) return;
    timeval now{};
    gettimeofday(&now, nullptr);
    record_->seconds = uint32_t(now.tv_sec);
    record_->microseconds = uint32_t(now.tv_usec);
}

bool OverlayHasItems(const OverlayRecord& record) {
    return record.items != 0 && record.itemCount != 0 && record.lock != 0 &&
           record.lock != kOverlayNoLock;
}

void ComposeOverlayItems(const OverlayRecord& record, const ComposeTarget& target) {
    if (!OverlayHasItems(record)) return;
    const OverlayItem* items = FromAddress<const OverlayItem>(record.items);
    auto* lock = FromAddress<pthread_mutex_t>(record.lock);
    pthread_mutex_lock(lock);
    for (uint32_t i = 0; i < record.itemCount; ++i) DrawItem(items[i], target);
    pthread_mutex_unlock(lock);
}
