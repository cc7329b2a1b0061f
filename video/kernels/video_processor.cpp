// Shared behaviour of the processor kinds: parameters, colour controls,
// overlay bookkeeping, the processed area and the planar walk.
#include "video/kernels/video_processor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/settings.h"
#include "video/kernels/kernel_choice.h"
#include "video/kernels/library_state.h"
#include "video/render/yuv_repack.h"

namespace {

int32_t SaturatedSum(int32_t a, int32_t b) {
    return int32_t(std::clamp<int64_t>(int64_t(a) + b, INT32_MIN, INT32_MAX));
}

}  // namespace

CVRLNVideoProcessor::CVRLNVideoProcessor(const KernelCpu& cpu)
    : cpu_(cpu), kernels_(&KernelsFor(cpu)), method_(SettingGetInt("INTERLACEDISPLAYSW", 0)) {}

CVRLNVideoProcessor::~CVRLNVideoProcessor() = default;

int CVRLNVideoProcessor::GetSubpicture(const CVRLNSubpicture** sub, VRLNRect* rect) {
    if (sub != nullptr) *sub = subpicture_;
    if (rect != nullptr) {
        *rect = subpicture_ == nullptr
                    ? VRLNRect{}
                    : VRLNRect{subpicture_->x, subpicture_->y,
                               SaturatedSum(subpicture_->x, subpicture_->width),
                               SaturatedSum(subpicture_->y, subpicture_->height)};
    }
    const int fresh = unreported_ ? 1 : 0;
    unreported_ = false;
    return fresh;
}

int CVRLNVideoProcessor::SetParameter(int id, intptr_t value) {
    switch (id) {
        case kParamSubpictureSource:
            subpictureSource_ = value;
            return 0;
        case kParamOverlayPerLine:
        case kParamOverlayPaired:
            lineMode_ = value != 0 ? id : kOverlayWholeRect;
            return 0;
        case kParamRectangle: {
            const auto* r = reinterpret_cast<const int32_t*>(value);
            if (r == nullptr) return -1;
            rect_ = VRLNRect{r[0], r[1], r[2], r[3]};
            return 0;
        }
        case kParamDeinterlaceMethod:
            method_ = int(value);
            return 0;
        default:
            return -1;
    }
}

intptr_t CVRLNVideoProcessor::GetParameter(int id) {
    switch (id) {
        case kParamFlags:
            return method_ == kMethodFieldAware ? 8 : 0;
        case kParamSubpictureSource:
            return subpictureSource_;
        case kParamReserved7:
            return 0;
        case kParamCapabilities:
            return CapabilityWord();
        default:
            return -1;
    }
}

int CVRLNVideoProcessor::SetOutputWidth(int, int) {
    return 0;
}

int CVRLNVideoProcessor::SetOutputHeight(int, int) {
    return 0;
}

void CVRLNVideoProcessor::SetColourControls(const CVRLNColourRecord* colours) {
    if (colours == nullptr) return;
    ColourConstants k;
    colourMode_ = ComputeColourConstants(*colours, Capability(), &k);
    PublishColourConstants(k);
}

void CVRLNVideoProcessor::SetSubpicture(CVRLNPicture* picture) {
    const CVRLNSubpicture* sub = picture != nullptr ? picture->subpicture : nullptr;
    const uint32_t serial = sub != nullptr ? sub->serial : 0;
    if (sub == subpicture_ && serial == subpictureSerial_) return;
    subpicture_ = sub;
    subpictureSerial_ = serial;
    composePending_ = true;
    unreported_ = true;
}

int CVRLNVideoProcessor::GetSubpictureState() {
    return overlay_.Active() ? 0 : -1;
}

bool CVRLNVideoProcessor::ResolveArea(const CVRLNPicture& picture, Area* area) const {
    // In 64 bits: a rectangle may span the whole 32-bit range (INT_MIN to INT_MAX).
    int64_t width = LineLengthOverride() > 0 ? LineLengthOverride()
                                             : int64_t(rect_.right) - int64_t(rect_.left);
    int64_t lines = LineCountOverride() > 0
                        ? LineCountOverride()
                        : std::llabs(int64_t(rect_.bottom) - int64_t(rect_.top));
    int64_t left = std::max<int64_t>(0, rect_.left);
    int64_t top = std::max<int64_t>(0, std::min(rect_.top, rect_.bottom));
    if (width <= 0 || lines <= 0) {
        // No rectangle yet: the whole picture.
        left = 0;
        top = 0;
        width = picture.width;
        lines = picture.height;
    }
    // Never beyond the picture: the source has nothing there to read.
    width = std::min(width, int64_t(picture.width) - left);
    lines = std::min(lines, int64_t(picture.height) - top);
    if (width <= 0 || lines <= 0 || picture.plane[0] == nullptr) return false;
    *area = Area{int(left), int(top), int(width), int(lines)};
    return true;
}

// Filters that read one line ahead find a copy of the last line after it. The
// copy goes into the spare line of memory the picture owns; a borrowed frame
// has no spare line and is left alone.
void CVRLNVideoProcessor::DuplicateLastLine(CVRLNPicture* picture, const Area& area) const {
    if (picture->packed || !picture->OwnsPlanes() || picture->plane[1] == nullptr) return;
    const size_t pitch = size_t(picture->width);
    const size_t last = size_t(area.top + area.lines);
    if ((last + 1) * pitch > picture->planeSize) return;
    std::memcpy(picture->plane[0] + last * pitch, picture->plane[0] + (last - 1) * pitch, pitch);
    const size_t chromaPitch = size_t(ChromaBytes(picture->width));
    const size_t chromaLast = (last + 1) / 2;
    if (chromaLast == 0 || (chromaLast + 1) * chromaPitch > picture->planeSize / 2) return;
    std::memcpy(picture->plane[1] + chromaLast * chromaPitch,
                picture->plane[1] + (chromaLast - 1) * chromaPitch, chromaPitch);
}

bool CVRLNVideoProcessor::PrepareOverlay(const Area& area, int flags) {
    if (!composePending_ && !(flags & kProcessComposeOnce)) return true;
    bool composed = true;
    if (subpicture_ != nullptr) {
        composed = overlay_.Compose(*subpicture_, lineMode_, area.width, area.lines);
    } else {
        overlay_.Clear();
    }
    // A failed allocation is tried again with the next picture.
    composePending_ = !composed;
    return composed;
}

void CVRLNVideoProcessor::FinishOverlay(int flags) {
    if (flags & kProcessComposeOnce) overlay_.SaveAndClearSpans();
}

FrameArea CVRLNVideoProcessor::SourceArea(const CVRLNPicture& picture, const Area& area,
                                          const ColourConstants& k) {
    FrameArea f;
    f.yPitch = picture.width;
    f.uvPitch = ChromaBytes(picture.width);
    f.y = picture.plane[0] + ptrdiff_t(area.top) * f.yPitch + area.left;
    f.uv = picture.plane[1] + ptrdiff_t(area.top / 2) * f.uvPitch + (area.left & ~1);
    f.width = area.width;
    f.lines = area.lines;
    // Spans are looked up only while an overlay is active.
    f.overlay = overlay_.Active() ? &overlay_ : nullptr;
    f.k = &k;
    f.progress = &progress_;
    progress_.store(0, std::memory_order_relaxed);
    return f;
}

FieldChoice CVRLNVideoProcessor::FieldOf(const CVRLNPicture& picture, bool honourRepeat) const {
    FieldChoice field;
    field.keepParity = picture.pictureStructure == kPictureBottomField ? 1 : 0;
    // A repeated field means film content: the frame is whole already.
    field.progressive = honourRepeat && picture.repeatFirstField > 0;
    return field;
}

bool LocatePlanarOutput(const CVRLNPicture& picture, int width, int lines, bool alternative,
                        PlanarOutput* out) {
    out->pitch = picture.outputPitch;
    // Lines narrower than the picture would overlap each other.
    if (out->pitch < width) return false;
    // Rounded up so odd pitches and odd line counts never overlap planes.
    out->chromaPitch = (out->pitch + 1) / 2;
    if (alternative) {
        out->y = picture.altOutput[0];
        out->v = picture.altOutput[1];
        out->u = picture.altOutput[2];
    } else if (picture.output != nullptr) {
        out->y = picture.output;
        out->v = out->y + ptrdiff_t(out->pitch) * lines;
        out->u = out->v + ptrdiff_t(out->chromaPitch) * ((lines + 1) / 2);
    }
    return out->y != nullptr && out->v != nullptr && out->u != nullptr;
}

// A packed source goes to the output unchanged, width x height x 3 / 2 bytes: what a
// planar output of the picture's size holds. An output whose pitch is narrower than
// the picture has less room than that, so it is refused rather than overrun.
int CVRLNVideoProcessor::CopyPackedThrough(const CVRLNPicture& picture) {
    if (picture.output == nullptr || picture.outputPitch < picture.width) return kProcessRefused;
    std::memcpy(picture.output, picture.plane[0],
                size_t(picture.width) * size_t(picture.height) * 3 / 2);
    return kProcessDone;
}

int CVRLNVideoProcessor::RunPlanar(CVRLNPicture* picture, int flags, const PlanarKernel& kernel,
                                   const ColourConstants& k) {
    Area area;
    if (!ResolveArea(*picture, &area)) return kProcessRefused;
    DuplicateLastLine(picture, area);
    if (picture->packed) {
        if (ConversionMode() == kConversionRepackPacked)
            return RunRepacked(picture, flags, kernel, k);
        return CopyPackedThrough(*picture);
    }
    if (!PrepareOverlay(area, flags)) return kProcessNoMemory;
    if (flags & kProcessOverlayOnly) return kProcessDone;
    PlanarOutput out;
    if (picture->plane[1] == nullptr ||
        !LocatePlanarOutput(*picture, area.width, area.lines, flags & kProcessAltOutputs, &out)) {
        return kProcessRefused;
    }
    FrameArea f = SourceArea(*picture, area, k);
    f.out = out.y;
    f.outPitch = out.pitch;
    f.outU = out.u;
    f.outV = out.v;
    f.outChromaPitch = out.chromaPitch;
    lastKernel_ = kernel.label;
    WalkPlanar(f, kernel, FieldOf(*picture, false));
    FinishOverlay(flags);
    return kProcessDone;
}

// The picture borrows the processor's planar copy of its packed frame for
// this one conversion and gets its own planes back afterwards. Pixel pairs
// share their chroma, so a width without whole pairs is refused.
int CVRLNVideoProcessor::RunRepacked(CVRLNPicture* picture, int flags, const PlanarKernel& kernel,
                                     const ColourConstants& k) {
    const int width = picture->width, height = picture->height;
    if (width % 2 != 0) return kProcessRefused;
    const size_t luma = size_t(width) * size_t(height);
    const size_t chromaLines = size_t(height + 1) / 2;
    try {
        repacked_.resize(luma + size_t(width) * chromaLines);
    } catch (const std::bad_alloc&) {
        return kProcessNoMemory;
    }
    // An odd last line has no pair of source lines to take chroma from.
    if (height % 2 != 0)
        std::memset(repacked_.data() + luma + size_t(width) * (chromaLines - 1), 128,
                    size_t(width));
    RepackPackedToPlanar(picture->plane[0], width, height, repacked_.data(), repacked_.size());
    uint8_t* const packedPlanes[2] = {picture->plane[0], picture->plane[1]};
    const uint32_t packedSize = picture->planeSize;
    picture->plane[0] = repacked_.data();
    picture->plane[1] = repacked_.data() + luma;
    // Exactly the luma: the copy has no spare line to be written into.
    picture->planeSize = uint32_t(luma);
    picture->packed = 0;
    const int result = RunPlanar(picture, flags, kernel, k);
    picture->plane[0] = packedPlanes[0];
    picture->plane[1] = packedPlanes[1];
    picture->planeSize = packedSize;
    picture->packed = 1;
    return result;
}
