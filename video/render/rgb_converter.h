// CVRLNProcessorRGB: the frame-buffer renderer's converter, a kind of video
// processor that scales a picture to the output size and converts it to RGB
// 5-5-5, 5-6-5, 24 or 32 bits in one pass over the output lines. Built for one
// format code; configured and run from the renderer's threads as the base
// class describes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "video/kernels/video_processor.h"
#include "video/render/rgb_rows.h"
#include "video/render/rgb_scale_tables.h"

// Format codes; the output tag of a renderer is kRgbTagBase + code.
constexpr int kFormatPacked422 = 1;
constexpr int kFormatRgb555 = 2;
constexpr int kFormatRgb565 = 3;
constexpr int kFormatRgb24 = 4;
constexpr int kFormatRgb32 = 5;
constexpr uint32_t kRgbTagBase = 0x32595558;
constexpr uint32_t kPlanar420Tag = 0x32315659;

class CVRLNProcessorRGB : public CVRLNVideoProcessor {
  public:
    // Null for a code other than 1 to 5.
    static std::unique_ptr<CVRLNProcessorRGB> Create(int formatCode);

    // The screen: output size and depth (bytes per pixel = depth / 8, 15 counting as 2).
    void SetScreen(int width, int height, int depth);
    // Steps from the current frame size; both return the step.
    int SetOutputWidth(int width, int scale) override;
    int SetOutputHeight(int height, int scale) override;
    void SetColourControls(const CVRLNColourRecord* colours) override;
    // Converts plane 0 (packed, or planar with interleaved chroma in plane 1)
    // into picture->output with picture->outputPitch; 0, or -1 when the
    // picture or its output cannot be used. Parameter 3 non-zero writes
    // bottom-up.
    int Process(CVRLNPicture* picture, int flags) override;

    // A second picture that gets every output line too, at the same line
    // index with its own pitch (lines past its last are not written): each
    // line is streamed to it from the output while still in cache, and the
    // mirror (a screen) is never read; null stops it.
    void SetMirror(uint8_t* base, int pitch, int lines);

    int FormatCode() const { return format_; }
    int BytesPerPixel() const { return bytesPerPixel_; }
    int32_t VerticalStepValue() const { return vStep_; }
    int32_t HorizontalStepValue() const { return lumaPlan_.step; }
    // Tests run the reference and the fast routines side by side.
    void UseRows(const RgbRows* rows) { rows_ = rows; }
    const RgbRows& Rows() const { return *rows_; }

  protected:
    int CapabilityWord() const override { return 0; }

  private:
    CVRLNProcessorRGB(int formatCode, const KernelCpu& cpu);

    struct Line {
        int source = -1;
        std::vector<uint8_t> y, u, v;
    };
    struct Source;
    void Configure(int sourceWidth, int sourceHeight);
    void Allocate(int sourceWidth, int sourceHeight);
    const Line& Scaled(const Source& source, int line, int keep);
    void SplitSource(const Source& source, int line, uint8_t* y, uint8_t* u, uint8_t* v) const;
    void Refine(const Source& source, int line, uint8_t* y, uint8_t* u, uint8_t* v);
    void BlendOverlay(int line, int width, uint8_t* y, uint8_t* u, uint8_t* v) const;
    void EmitLine(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* out) const;
    // The average of two scaled lines, emitted.
    void EmitAverage(const Line& upper, const Line& lower, uint8_t* out);
    void Mirror(const uint8_t* line, int row, size_t bytes) const;

    int format_;
    int depth_ = 0;
    int bytesPerPixel_ = 0;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    int widthScale_ = 1000;
    int heightScale_ = 1000;
    int sourceWidth_ = -1;  // the frame size the steps and buffers were made for
    int sourceHeight_ = -1;
    int32_t vStep_ = 0;
    ScalePlan lumaPlan_;
    ScalePlan chromaPlan_;
    const RgbRows* rows_;
    Line lines_[2];
    Line average_;
    std::vector<uint8_t> splitY_, splitU_, splitV_;
    std::vector<uint8_t> previousY_, scratchU_, scratchV_;  // the line above, when deinterlacing
    uint8_t* mirror_ = nullptr;
    int mirrorPitch_ = 0;
    int mirrorLines_ = 0;
    bool configured_ = true;
    bool deinterlace_ = false;
    const OverlayPlanes* overlay_ = nullptr;  // the active sub-picture of this picture
    uint8_t lumaTable_[256];
    bool lumaIdentity_ = true;
    CVRLNColourRecord colours_{};
};
