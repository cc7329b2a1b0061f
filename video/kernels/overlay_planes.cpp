// Composition of a sub-picture into the overlay planes and the span table.
#include "video/kernels/overlay_planes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t kLumaBytes = size_t(OverlayPlanes::kPitch) * OverlayPlanes::kHeight;
constexpr size_t kChromaBytes = kLumaBytes / 2;
constexpr size_t kSpanBytes = OverlayPlanes::kSpanLines * 4;
constexpr size_t kBlockBytes = 2 * kLumaBytes + 2 * kChromaBytes + 2 * kSpanBytes;

// Alpha 15 is opaque: the weights run 0 ... 14, 16.
int Weight(uint8_t pixel) {
    const int alpha = pixel >> 4;
    return alpha == 15 ? 16 : alpha;
}

uint32_t SpanOf(int first, int last) {
    return uint32_t(first & ~7) | (uint32_t(last | 7) << 16);
}

uint32_t Merge(uint32_t a, uint32_t b) {
    if (a == 0) return b;
    if (b == 0) return a;
    const uint32_t first = std::min(a & 0xFFFF, b & 0xFFFF);
    const uint32_t last = std::max(a >> 16, b >> 16);
    return first | (last << 16);
}

// Clipped to the columns a line has (luma pixels or chroma bytes).
Span ToSpan(uint32_t word, int columns) {
    Span s;
    if (word == 0) return s;
    const int limit = std::min(columns, OverlayPlanes::kWidth);
    s.begin = std::min(int(word & 0xFFFF), limit);
    s.end = std::min(int(word >> 16) + 1, limit);
    return s;
}

}  // namespace

void OverlayPlanes::FreeBlock::operator()(uint8_t* p) const {
    ::operator delete(p, std::align_val_t(16));
}

OverlayPlanes::OverlayPlanes() = default;

bool OverlayPlanes::Reserve() {
    if (block_ != nullptr) return true;
    void* memory = ::operator new(kBlockBytes, std::align_val_t(16), std::nothrow);
    if (memory == nullptr) return false;
    block_.reset(static_cast<uint8_t*>(memory));
    overlayY_ = block_.get();
    keepY_ = overlayY_ + kLumaBytes;
    overlayUV_ = keepY_ + kLumaBytes;
    keepUV_ = overlayUV_ + kChromaBytes;
    spans_ = reinterpret_cast<uint32_t*>(keepUV_ + kChromaBytes);
    savedSpans_ = spans_ + kSpanLines;
    std::memset(savedSpans_, 0, kSpanBytes);
    Clear();
    return true;
}

void OverlayPlanes::Clear() {
    active_ = false;
    if (block_ == nullptr) return;
    std::memset(overlayY_, 0, kLumaBytes);
    std::memset(keepY_, 16, kLumaBytes);
    std::memset(overlayUV_, 0, kChromaBytes);
    std::memset(keepUV_, 16, kChromaBytes);
    std::memset(spans_, 0, kSpanBytes);
}

bool OverlayPlanes::Compose(const CVRLNSubpicture& sub, int lineMode, int width, int lines) {
    Clear();
    // Lines that overlap (a pitch below the width) or run backwards are no image.
    if (sub.pixels == nullptr || sub.width <= 0 || sub.height <= 0 || sub.pitch < sub.width)
        return true;
    // In 64 bits: a sub-picture may be placed anywhere in the 32-bit range.
    const int right = int(std::min<int64_t>({int64_t(sub.x) + sub.width, width, kWidth}));
    const int bottom = int(std::min<int64_t>({int64_t(sub.y) + sub.height, lines, kHeight}));
    if (sub.x < 0 || sub.y < 0 || right <= sub.x || bottom <= sub.y) return true;
    if (!Reserve()) return false;
    ComposeLuma(sub, right, bottom);
    ComposeChroma(sub, right, bottom);
    BuildSpans(sub, lineMode, right, bottom);
    active_ = true;
    return true;
}

void OverlayPlanes::ComposeLuma(const CVRLNSubpicture& sub, int right, int bottom) {
    for (int y = sub.y; y < bottom; ++y) {
        const uint8_t* src = sub.pixels + size_t(y - sub.y) * sub.pitch;
        for (int x = sub.x; x < right; ++x) {
            const uint8_t pixel = src[x - sub.x];
            const int w = Weight(pixel);
            overlayY_[Row(y) + x] = uint8_t(sub.palette[pixel & 15][0] * w / 16);
            keepY_[Row(y) + x] = uint8_t(16 - w);
        }
    }
}

// One weight per U, V pair, from the first pixel of its 2 x 2 block that the
// sub-picture covers.
void OverlayPlanes::ComposeChroma(const CVRLNSubpicture& sub, int right, int bottom) {
    for (int c = sub.y / 2; 2 * c < bottom; ++c) {
        const int y = std::max(2 * c, sub.y);
        const uint8_t* src = sub.pixels + size_t(y - sub.y) * sub.pitch;
        for (int p = sub.x / 2; 2 * p < right; ++p) {
            const int x = std::max(2 * p, sub.x);
            const uint8_t pixel = src[x - sub.x];
            const int w = Weight(pixel);
            const uint8_t* colour = sub.palette[pixel & 15];
            overlayUV_[Row(c) + 2 * p] = uint8_t(colour[1] * w / 16);
            overlayUV_[Row(c) + 2 * p + 1] = uint8_t(colour[2] * w / 16);
            keepUV_[Row(c) + 2 * p] = keepUV_[Row(c) + 2 * p + 1] = uint8_t(16 - w);
        }
    }
}

void OverlayPlanes::BuildSpans(const CVRLNSubpicture& sub, int lineMode, int right, int bottom) {
    for (int y = sub.y; y < bottom; ++y) {
        if (lineMode == kOverlayWholeRect) {
            spans_[y] = SpanOf(sub.x, right - 1);
            continue;
        }
        const uint8_t* keep = keepY_ + Row(y);
        int first = sub.x;
        while (first < right && keep[first] == 16) ++first;
        int last = right - 1;
        while (last >= first && keep[last] == 16) --last;
        spans_[y] = first < right ? SpanOf(first, last) : 0;
    }
    if (lineMode != kOverlayPairedLines) return;
    for (int y = sub.y & ~1; y < bottom; y += 2) {
        spans_[y] = spans_[y + 1] = Merge(spans_[y], spans_[y + 1]);
    }
}

void OverlayPlanes::SaveAndClearSpans() {
    if (block_ == nullptr) return;
    std::memcpy(savedSpans_, spans_, kSpanBytes);
    std::memset(spans_, 0, kSpanBytes);
}

uint32_t OverlayPlanes::SpanWord(int line) const {
    return block_ != nullptr && line >= 0 && line < kSpanLines ? spans_[line] : 0;
}

uint32_t OverlayPlanes::SavedSpanWord(int line) const {
    return block_ != nullptr && line >= 0 && line < kSpanLines ? savedSpans_[line] : 0;
}

Span OverlayPlanes::LumaSpan(int line, int width) const {
    return line < kHeight ? ToSpan(SpanWord(line), width) : Span{};
}

Span OverlayPlanes::ChromaSpan(int chromaLine, int width) const {
    const int line = 2 * chromaLine;
    if (line >= kHeight) return Span{};
    return ToSpan(Merge(SpanWord(line), SpanWord(line + 1)), ChromaBytes(width));
}
