// The RGB converter: per output line, pick the source line(s) by the
// vertical step, scale each source line once (Y, U and V planes along the
// horizontal taps), average when the fraction asks for it, then convert and
// pack straight into the output. A packed frame is read in place: luma from
// its own line, chroma from the line the planar repack would keep
// (4k and 4k + 1), so no temporary frame is made.
#include "video/render/rgb_converter.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "video/kernels/kernel_choice.h"
#include "video/kernels/library_state.h"
#include "video/kernels/line_ref.h"
#include "video/render/block_copy.h"
#include "video/render/yuv_repack.h"

namespace {

int DepthIndex(int formatCode) {
    switch (formatCode) {
        case kFormatRgb555:
            return kRgb15;
        case kFormatRgb565:
            return kRgb16;
        case kFormatRgb24:
            return kRgb24;
        default:
            return kRgb32;
    }
}

// Bytes of one output pixel: what the format writes, whatever depth the screen reports.
int FormatBytes(int formatCode) {
    switch (formatCode) {
        case kFormatRgb24:
            return 3;
        case kFormatRgb32:
            return 4;
        default:
            return 2;
    }
}

// No screen this converter feeds is wider; larger sizes are refused rather
// than given tables and line buffers of gigabytes.
constexpr int kWidestLine = 8192;

int Bounded(int width) {
    return width > kWidestLine ? 0 : std::max(width, 0);
}

size_t Padded(int count) {
    return (size_t(std::max(count, 0)) + 15) / 16 * 16 + kRowPadding;
}

// The colour step of the luma path folded into a byte table, exactly as the
// kernels' reference computes it (the identity when neutral). The quadratic T
// term squares the widened byte (up to 65535) in unsigned arithmetic there, so
// bright pixels never overflow.
void BuildLumaTable(int mode, const ColourConstants& k, uint8_t table[256]) {
    for (int y = 0; y < 256; ++y) {
        const uint8_t x = uint8_t(y);
        switch (mode) {
            case kColourAddSubtract:
                table[y] = ref::LumaColour<kColourAddSubtract>(x, k);
                break;
            case kColourGain:
                table[y] = ref::LumaColour<kColourGain>(x, k);
                break;
            default:
                table[y] = ref::LumaColour<kColourHueT>(x, k);
                break;
        }
    }
}

// Format code 1: Y0 U Y1 V out of the scaled planes.
void PackYuy2(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        out[2 * x] = y[x];
        out[2 * x + 1] = (x % 2) ? v[x / 2] : u[x / 2];
    }
}

}  // namespace

struct CVRLNProcessorRGB::Source {
    const uint8_t* plane0;
    const uint8_t* plane1;
    int width;
    int height;
    bool packed;
    int chromaLines;
};

std::unique_ptr<CVRLNProcessorRGB> CVRLNProcessorRGB::Create(int formatCode) {
    if (formatCode < kFormatPacked422 || formatCode > kFormatRgb32) return nullptr;
    // No allocation failure may leave the renderer as an exception.
    try {
        return std::unique_ptr<CVRLNProcessorRGB>(
            new CVRLNProcessorRGB(formatCode, DetectKernelCpu()));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

CVRLNProcessorRGB::CVRLNProcessorRGB(int formatCode, const KernelCpu& cpu)
    : CVRLNVideoProcessor(cpu), format_(formatCode) {
    rows_ = &RgbRowsFor(cpu);
    for (int i = 0; i < 256; ++i) lumaTable_[i] = uint8_t(i);
}

void CVRLNProcessorRGB::SetScreen(int width, int height, int depth) {
    screenWidth_ = std::max(width, 0);
    screenHeight_ = std::max(height, 0);
    depth_ = depth;
    bytesPerPixel_ = (depth + 7) / 8;
}

int CVRLNProcessorRGB::SetOutputWidth(int width, int scale) {
    outputWidth_ = std::max(width, 0);
    widthScale_ = scale;
    Configure(CurrentFrameWidth(), CurrentFrameHeight());
    return lumaPlan_.step;
}

int CVRLNProcessorRGB::SetOutputHeight(int height, int scale) {
    outputHeight_ = std::max(height, 0);
    heightScale_ = scale;
    Configure(CurrentFrameWidth(), CurrentFrameHeight());
    return vStep_;
}

void CVRLNProcessorRGB::SetColourControls(const CVRLNColourRecord* colours) {
    if (colours == nullptr || std::memcmp(colours, &colours_, sizeof colours_) == 0) return;
    colours_ = *colours;
    CVRLNVideoProcessor::SetColourControls(colours);
    BuildLumaTable(ColourMode(), CurrentColourConstants(), lumaTable_);
    lumaIdentity_ = true;
    for (int i = 0; i < 256; ++i) lumaIdentity_ = lumaIdentity_ && lumaTable_[i] == i;
}

// Steps, taps and line buffers for one source size; only a change of size
// reallocates, so frames of a steady stream allocate nothing. A failed
// allocation leaves the converter unconfigured: Process reports it, and the
// next picture tries again.
void CVRLNProcessorRGB::Configure(int sourceWidth, int sourceHeight) {
    try {
        Allocate(sourceWidth, sourceHeight);
        configured_ = true;
    } catch (const std::bad_alloc&) {
        configured_ = false;
        sourceWidth_ = sourceHeight_ = -1;
        lumaPlan_ = ScalePlan();
        chromaPlan_ = ScalePlan();
    }
}

void CVRLNProcessorRGB::Allocate(int sourceWidth, int sourceHeight) {
    sourceWidth_ = sourceWidth;
    sourceHeight_ = sourceHeight;
    sourceWidth = Bounded(sourceWidth);
    int outW = Bounded(outputWidth_ > 0 ? outputWidth_ : sourceWidth);
    if (screenWidth_ > 0) outW = std::min(outW, screenWidth_);
    vStep_ = VerticalStep(sourceHeight, outputHeight_, heightScale_);
    lumaPlan_ = BuildScalePlan(sourceWidth, outW, HorizontalStep(sourceWidth, outW, widthScale_));
    const int chromaIn = (sourceWidth + 1) / 2;
    const int chromaOut = (outW + 1) / 2;
    chromaPlan_ =
        BuildScalePlan(chromaIn, chromaOut, HorizontalStep(chromaIn, chromaOut, widthScale_));
    const int widest = std::max(outW, sourceWidth);
    for (Line* line : {&lines_[0], &lines_[1], &average_}) {
        line->source = -1;
        line->y.assign(Padded(widest), 0);
        line->u.assign(Padded((widest + 1) / 2), 128);
        line->v.assign(Padded((widest + 1) / 2), 128);
    }
    splitY_.assign(Padded(sourceWidth), 0);
    splitU_.assign(Padded((sourceWidth + 1) / 2), 128);
    splitV_.assign(Padded((sourceWidth + 1) / 2), 128);
    previousY_.assign(Padded(sourceWidth), 0);
    scratchU_.assign(Padded((sourceWidth + 1) / 2), 128);
    scratchV_.assign(Padded((sourceWidth + 1) / 2), 128);
}

void CVRLNProcessorRGB::SetMirror(uint8_t* base, int pitch, int lines) {
    mirror_ = base;
    mirrorPitch_ = pitch;
    mirrorLines_ = base != nullptr ? std::max(lines, 0) : 0;
}

void CVRLNProcessorRGB::Mirror(const uint8_t* line, int row, size_t bytes) const {
    if (mirror_ != nullptr && row < mirrorLines_)
        StreamingCopyLine(mirror_ + int64_t(row) * mirrorPitch_, line, bytes);
}

void CVRLNProcessorRGB::SplitSource(const Source& s, int line, uint8_t* y, uint8_t* u,
                                    uint8_t* v) const {
    const size_t w = size_t(s.width);
    if (s.packed) {
        const int chromaLine = ChromaSourceLine(line / 2);
        rows_->splitPacked(s.plane0 + line * w * 2, s.plane0 + chromaLine * w * 2, s.width, y, u,
                           v);
    } else {
        std::memcpy(y, s.plane0 + line * w, w);
        const int chromaLine = std::min(line / 2, s.chromaLines - 1);
        const int pairs = (s.width + 1) / 2;
        // A one-line picture has no chroma line: neutral chroma, and no
        // pointer is formed before the plane.
        const uint8_t* chroma = chromaLine >= 0 ? s.plane1 + size_t(chromaLine) * w : nullptr;
        for (int p = 0; p < pairs; ++p) {
            const bool present = chroma != nullptr && 2 * p + 1 < s.width;
            u[p] = chroma != nullptr ? chroma[2 * p] : 128;
            v[p] = present ? chroma[2 * p + 1] : 128;
        }
    }
}

// What the kernels do to a line before conversion, in their order: the line
// blended with the one above when deinterlacing, the sub-picture over it, then
// the colour step of the luma.
void CVRLNProcessorRGB::Refine(const Source& s, int line, uint8_t* y, uint8_t* u, uint8_t* v) {
    if (deinterlace_ && line > 0) {
        const uint8_t* above = s.plane0 + size_t(line - 1) * size_t(s.width);
        if (s.packed) {
            rows_->splitPacked(s.plane0 + size_t(line - 1) * size_t(s.width) * 2,
                               s.plane0 + size_t(line - 1) * size_t(s.width) * 2, s.width,
                               previousY_.data(), scratchU_.data(), scratchV_.data());
            above = previousY_.data();
        }
        // Without the capability bit the kernels halve before adding.
        (Capability() ? rows_->mean : rows_->average)(y, above, s.width, y);
    }
    if (overlay_ != nullptr) BlendOverlay(line, s.width, y, u, v);
    if (!lumaIdentity_)
        for (int x = 0; x < s.width; ++x) y[x] = lumaTable_[y[x]];
}

void CVRLNProcessorRGB::BlendOverlay(int line, int width, uint8_t* y, uint8_t* u,
                                     uint8_t* v) const {
    const Span luma = overlay_->LumaSpan(line, width);
    if (luma.end > luma.begin)
        rows_->blend(y + luma.begin, overlay_->OverlayY(line) + luma.begin,
                     overlay_->KeepY(line) + luma.begin, luma.end - luma.begin);
    const int chromaLine = line / 2;
    const Span chroma = overlay_->ChromaSpan(chromaLine, width);
    const int first = chroma.begin / 2;
    const int pairs = std::min((chroma.end + 1) / 2, (width + 1) / 2) - first;
    if (pairs > 0)
        rows_->blendPairs(u + first, v + first, overlay_->OverlayUV(chromaLine) + 2 * first,
                          overlay_->KeepUV(chromaLine) + 2 * first, pairs);
}

const CVRLNProcessorRGB::Line& CVRLNProcessorRGB::Scaled(const Source& s, int line, int keep) {
    for (const Line& l : lines_)
        if (l.source == line) return l;
    // Lines are asked for in rising order: the older one goes, never the partner.
    const bool second = lines_[0].source == keep ||
                        (lines_[1].source != keep && lines_[1].source < lines_[0].source);
    Line& slot = second ? lines_[1] : lines_[0];
    slot.source = line;
    if (lumaPlan_.step == 0 && lumaPlan_.outputWidth == s.width) {
        SplitSource(s, line, slot.y.data(), slot.u.data(), slot.v.data());
        Refine(s, line, slot.y.data(), slot.u.data(), slot.v.data());
        return slot;
    }
    SplitSource(s, line, splitY_.data(), splitU_.data(), splitV_.data());
    Refine(s, line, splitY_.data(), splitU_.data(), splitV_.data());
    rows_->scale(splitY_.data(), lumaPlan_, slot.y.data());
    // Lines 2k and 2k + 1 take the same chroma line through the same steps:
    // the partner's scaled chroma is this line's too.
    const Line& other = &slot == &lines_[0] ? lines_[1] : lines_[0];
    if (other.source >= 0 && other.source / 2 == line / 2) {
        slot.u = other.u;
        slot.v = other.v;
        return slot;
    }
    rows_->scale(splitU_.data(), chromaPlan_, slot.u.data());
    rows_->scale(splitV_.data(), chromaPlan_, slot.v.data());
    return slot;
}

void CVRLNProcessorRGB::EmitLine(const uint8_t* y, const uint8_t* u, const uint8_t* v,
                                 uint8_t* out) const {
    const int width = lumaPlan_.outputWidth;
    if (format_ == kFormatPacked422) {
        PackYuy2(y, u, v, width, out);
        return;
    }
    rows_->convert[DepthIndex(format_)](y, u, v, width, out);
}

void CVRLNProcessorRGB::EmitAverage(const Line& upper, const Line& lower, uint8_t* out) {
    const int width = lumaPlan_.outputWidth;
    if (format_ != kFormatPacked422) {
        rows_->convertAverage[DepthIndex(format_)](
            YuvRow{upper.y.data(), upper.u.data(), upper.v.data()},
            YuvRow{lower.y.data(), lower.u.data(), lower.v.data()}, width, out);
        return;
    }
    rows_->average(upper.y.data(), lower.y.data(), width, average_.y.data());
    rows_->average(upper.u.data(), lower.u.data(), (width + 1) / 2, average_.u.data());
    rows_->average(upper.v.data(), lower.v.data(), (width + 1) / 2, average_.v.data());
    EmitLine(average_.y.data(), average_.u.data(), average_.v.data(), out);
}

int CVRLNProcessorRGB::Process(CVRLNPicture* picture, int) {
    if (picture == nullptr || picture->plane[0] == nullptr || picture->output == nullptr ||
        picture->width <= 0 || picture->width > kWidestLine || picture->height <= 0 ||
        bytesPerPixel_ == 0)
        return kProcessRefused;
    if (!picture->packed && picture->plane[1] == nullptr) return kProcessRefused;
    // A frame of another size than the steps were made for would be read
    // outside its lines; make the steps for this one.
    if (picture->width != sourceWidth_ || picture->height != sourceHeight_)
        Configure(picture->width, picture->height);
    if (!configured_) return kProcessNoMemory;
    lines_[0].source = lines_[1].source = -1;
    // The sub-picture lies in source coordinates: composed over the whole frame.
    if (!PrepareOverlay(Area{0, 0, picture->width, picture->height}, 0)) return kProcessNoMemory;
    overlay_ = Overlay().Active() ? &Overlay() : nullptr;
    deinterlace_ = (DeinterlaceModeWord() & kDeinterlaceBit) != 0 &&
                   DeinterlaceMethod() != kMethodNoDeinterlace;
    const Source source{picture->plane[0], picture->plane[1],    picture->width,
                        picture->height,   picture->packed != 0, picture->height / 2};
    int width = lumaPlan_.outputWidth;
    int lines = outputHeight_ > 0 ? outputHeight_ : picture->height;
    if (screenWidth_ > 0) width = std::min(width, screenWidth_);
    if (screenHeight_ > 0) lines = std::min(lines, screenHeight_);
    if (picture->displayHeight > 0) lines = std::min(lines, picture->displayHeight);
    const int pitch = picture->outputPitch;
    if (width <= 0 || width != lumaPlan_.outputWidth ||
        std::llabs(int64_t(pitch)) < int64_t(width) * FormatBytes(format_))
        return kProcessRefused;
    // Parameter 3 doubles as the bottom-up switch of this kind.
    const bool bottomUp = GetParameter(kParamSubpictureSource) != 0;
    const size_t lineBytes = size_t(width) * size_t(FormatBytes(format_));
    for (int n = 0; n < lines; ++n) {
        const int row = bottomUp ? lines - 1 - n : n;
        uint8_t* out = picture->output + int64_t(row) * pitch;
        const LineChoice choice = ChooseLines(n, vStep_, picture->height);
        const Line& upper = Scaled(source, choice.upper, choice.lower);
        if (choice.upper == choice.lower) {
            EmitLine(upper.y.data(), upper.u.data(), upper.v.data(), out);
        } else {
            EmitAverage(upper, Scaled(source, choice.lower, choice.upper), out);
        }
        Mirror(out, row, lineBytes);
    }
    if (mirror_ != nullptr) StreamingFence();
    return kProcessDone;
}
