// Plane memory of the picture record.
#include "video/render/picture.h"

#include <unistd.h>

#include <cstdlib>

namespace {

constexpr uint64_t kMinLumaBytes = 720 * 576;
constexpr uint64_t kSlackBytes = 8192;
// Larger frames than this are not video we can show; refusing them keeps the
// size arithmetic far from overflow.
constexpr uint64_t kMaxLumaBytes = 64ull * 1024 * 1024;

}  // namespace

void CVRLNPicture::FreeBlock::operator()(uint8_t* p) const {
    std::free(p);
}

bool CVRLNPicture::Resize(int32_t newWidth, int32_t newHeight, bool allocate) {
    width = newWidth;
    height = newHeight;
    if (!allocate) return true;
    const bool sane = newWidth >= 0 && newHeight >= 0;
    uint64_t luma = sane ? uint64_t(newWidth) * (uint64_t(newHeight) + 1) : 0;
    if (!sane || luma > kMaxLumaBytes) luma = 0;
    const bool grow = luma > planeSize;
    if (grow || luma == 0) {
        // Memory we did not allocate (a frame pointed at by the caller) is only forgotten.
        block_.reset();
        planeSize = 0;
        plane[0] = plane[1] = plane[2] = nullptr;
    }
    if (luma == 0) {
        width = height = 0;
        return sane && newWidth * int64_t(newHeight) == 0;
    }
    if (grow) {
        if (luma < kMinLumaBytes) luma = kMinLumaBytes;
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        size_t bytes = size_t(luma * 3 / 2 + kSlackBytes);
        bytes = (bytes + page - 1) / page * page;
        void* memory = nullptr;
        if (posix_memalign(&memory, page, bytes) != 0) return false;
        block_.reset(static_cast<uint8_t*>(memory));
        plane[0] = block_.get();
        planeSize = uint32_t(luma);
    }
    if (plane[0] == nullptr) return false;
    plane[1] = plane[0] + luma;
    plane[2] = plane[1] + luma / 4;
    return true;
}
