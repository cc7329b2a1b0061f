// The composed sub-picture: premultiplied overlay and complement-alpha planes
// for luma and interleaved chroma, and the per-line span table that tells the
// kernels where overlay lies. The planes (about 1.25 MB) are allocated the first
// time a sub-picture is composed, so a processor that never blends one holds none.
#pragma once

#include <cstdint>
#include <memory>

#include "video/kernels/line_job.h"
#include "video/render/picture.h"

// Overlay line modes (SetParameter ids 4 and 5).
constexpr int kOverlayWholeRect = 0;
constexpr int kOverlayPerLine = 4;
constexpr int kOverlayPairedLines = 5;

class OverlayPlanes {
  public:
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 576;
    static constexpr int kPitch = 720;
    static constexpr int kSpanLines = 1080;  // 4320 bytes of span words

    OverlayPlanes();
    OverlayPlanes(const OverlayPlanes&) = delete;
    OverlayPlanes& operator=(const OverlayPlanes&) = delete;

    // Back to no overlay: spans zero, planes transparent.
    void Clear();
    // Composes a sub-picture for an area of width x lines, clipped to the planes;
    // false (and no overlay) when the planes cannot be allocated.
    bool Compose(const CVRLNSubpicture& sub, int lineMode, int width, int lines);
    // True once the planes exist.
    bool Allocated() const { return block_ != nullptr; }
    // Copies the span table aside for the next picture and clears it.
    void SaveAndClearSpans();

    bool Active() const { return active_; }
    // Low 16 bits first column, high 16 bits last column; 0 for no overlay.
    uint32_t SpanWord(int line) const;
    uint32_t SavedSpanWord(int line) const;
    Span LumaSpan(int line, int width) const;
    // Chroma line c covers luma lines 2c and 2c + 1.
    Span ChromaSpan(int chromaLine, int width) const;

    const uint8_t* OverlayY(int line) const { return overlayY_ + Row(line); }
    const uint8_t* KeepY(int line) const { return keepY_ + Row(line); }
    const uint8_t* OverlayUV(int chromaLine) const { return overlayUV_ + Row(chromaLine); }
    const uint8_t* KeepUV(int chromaLine) const { return keepUV_ + Row(chromaLine); }

  private:
    struct FreeBlock {
        void operator()(uint8_t* p) const;
    };
    static size_t Row(int line) { return size_t(line) * kPitch; }
    bool Reserve();
    void ComposeLuma(const CVRLNSubpicture& sub, int right, int bottom);
    void ComposeChroma(const CVRLNSubpicture& sub, int right, int bottom);
    void BuildSpans(const CVRLNSubpicture& sub, int lineMode, int right, int bottom);

    std::unique_ptr<uint8_t, FreeBlock> block_;
    uint8_t* overlayY_ = nullptr;
    uint8_t* keepY_ = nullptr;
    uint8_t* overlayUV_ = nullptr;
    uint8_t* keepUV_ = nullptr;
    uint32_t* spans_ = nullptr;
    uint32_t* savedSpans_ = nullptr;
    bool active_ = false;
};
