// The scaled kind: a vertical filter into a luma line (none for the plain
// member), horizontal resampling through the weight table when reducing, then
// the colour step and packing, through the line routines of the processor's path.
#include "video/kernels/processor_scaled.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "video/kernels/library_state.h"
#include "video/kernels/scale_taps.h"

namespace {

// The colour step of the scaled kind: its gains are 240 at neutral, so they are
// turned into 8.8 factors (256 at neutral) once per change.
int16_t FactorOf(int gain) {
    return int16_t((gain * 256 + 120) / 240);
}

}  // namespace

int ScaledStep(int source, int target, int scale) {
    if (target <= 0 || target >= source) return 0;
    const int64_t even = (target + 1) & ~1;
    return int((int64_t(source) * 256 - 256) * scale / (even * 1000));
}

CVRLNProcessorScaled::CVRLNProcessorScaled(const KernelCpu& cpu)
    : CVRLNVideoProcessor(cpu), lines_(&ScaledLinesFor(cpu)) {}

int CVRLNProcessorScaled::SetOutputHeight(int height, int scale) {
    verticalStep_ = ScaledStep(CurrentFrameHeight(), height, scale);
    outputHeight_ = verticalStep_ != 0 ? height : 0;
    return verticalStep_;
}

// Walks the source in pixel pairs; each time the source position reaches the
// output position a column is taken with weights from the position's fraction.
int CVRLNProcessorScaled::SetOutputWidth(int width, int scale) {
    const int source = CurrentFrameWidth();
    horizontalStep_ = ScaledStep(source, width, scale);
    outputWidth_ = horizontalStep_ != 0 ? width : 0;
    taps_.clear();
    for (const ScaleTap& tap : BuildScaleTaps(source, outputWidth_, horizontalStep_))
        taps_.push_back({tap.right, tap.weight, 256 - tap.weight});
    return horizontalStep_;
}

intptr_t CVRLNProcessorScaled::GetParameter(int id) {
    if (id != kParamFlags) return -1;
    return horizontalStep_ == 0 && verticalStep_ == 0 ? 2 : 0;
}

void CVRLNProcessorScaled::SetColourControls(const CVRLNColourRecord* colours) {
    if (colours == nullptr) return;
    // Held to the controls' range (-32 ... +32), as the other kinds hold them, so
    // no value a caller passes overflows the gains.
    const auto clamped = [](int32_t value) { return std::clamp(value, -32, 32); };
    const int brightness = clamped(colours->brightness);
    const int uOffset = clamped(colours->uOffset);
    const int vOffset = clamped(colours->vOffset);
    ScaledConstants k;
    k.lumaAdd = std::max(brightness, 0);
    k.lumaSubtract = std::max(-brightness, 0);
    k.lumaCentre = brightness + 128;
    k.contrastGain = (clamped(colours->contrast) * 480 + 15360) / 64;
    k.saturationGain = (clamped(colours->saturation) * 480 + 15360) / 64;
    k.uAdd = std::max(uOffset, 0);
    k.uSubtract = std::max(-uOffset, 0);
    k.vAdd = std::max(vOffset, 0);
    k.vSubtract = std::max(-vOffset, 0);
    constants_ = k;
    colour_.lumaFactor = FactorOf(k.contrastGain);
    colour_.chromaFactor = FactorOf(k.saturationGain);
    colour_.lumaCentre = int16_t(k.lumaCentre);
    colour_.uCentre = int16_t(128 + uOffset);
    colour_.vCentre = int16_t(128 + vOffset);
}

// Luma of output line n before horizontal resampling: the source line itself
// for the plain member, else the filtered line in row_.
const uint8_t* CVRLNProcessorScaled::FilteredLuma(const uint8_t* line, const uint8_t* other,
                                                  int fraction, ScaledMember member, int width) {
    switch (member) {
        case kScaledVertical:
            if (fraction == 0) return line;
            lines_->blend(line, other, fraction, width, row_.data());
            return row_.data();
        case kScaledDeinterlace:
            lines_->mean(line, other, width, row_.data());
            return row_.data();
        default:
            return line;
    }
}

// Output column x takes the luma of its tap and the chroma byte of the pair its
// source pixel lies in (U for even columns, V for odd).
void CVRLNProcessorScaled::Resample(const uint8_t* luma, const uint8_t* chroma, int width) {
    lines_->resample(luma, pairAt_.data(), pairWeights_.data(), width, lumaLine_.data());
    const int* chromaIndex = chromaIndex_.data();
    uint8_t* chromaOut = chromaLine_.data();
    for (int x = 0; x < width; ++x) chromaOut[x] = chroma[chromaIndex[x]];
}

int CVRLNProcessorScaled::Process(CVRLNPicture* picture, int) {
    if (picture == nullptr) return kProcessRefused;
    Area area;
    if (!ResolveArea(*picture, &area)) return kProcessRefused;
    // Steps set for another frame size would index outside this picture.
    const bool across = outputWidth_ > 0 && outputWidth_ < area.width && !taps_.empty() &&
                        taps_.back().index < area.width;
    const int width = across ? outputWidth_ : area.width;
    const int lines = verticalStep_ != 0 && outputHeight_ < area.lines ? outputHeight_ : area.lines;
    const int step = lines == area.lines ? 256 : verticalStep_;
    if (picture->packed || picture->output == nullptr || picture->plane[1] == nullptr ||
        picture->outputPitch < int64_t(width) * 2) {
        return kProcessRefused;
    }
    if (!ReserveLines(area.width, across ? width : 0)) return kProcessRefused;
    if (across) IndexChroma(area.width, width);
    const bool deinterlace = (DeinterlaceModeWord() & kDeinterlaceBit) != 0;
    const ScaledMember member =
        step != 256 ? kScaledVertical : (deinterlace ? kScaledDeinterlace : kScaledPlain);
    const int yPitch = picture->width;
    const int uvPitch = ChromaBytes(picture->width);
    const uint8_t* y = picture->plane[0] + ptrdiff_t(area.top) * yPitch + area.left;
    const uint8_t* uv = picture->plane[1] + ptrdiff_t(area.top / 2) * uvPitch + (area.left & ~1);
    for (int n = 0; n < lines; ++n) {
        const int64_t position = int64_t(n) * step;
        const int line = std::min(int(position >> 8), area.lines - 1);
        const int other = member == kScaledDeinterlace ? std::max(line - 1, 0)
                                                       : std::min(line + 1, area.lines - 1);
        const uint8_t* luma =
            FilteredLuma(y + ptrdiff_t(line) * yPitch, y + ptrdiff_t(other) * yPitch,
                         int(position & 255), member, area.width);
        const uint8_t* chroma = uv + ptrdiff_t(line / 2) * uvPitch;
        if (across) {
            Resample(luma, chroma, width);
            luma = lumaLine_.data();
            chroma = chromaLine_.data();
        }
        lines_->pack(luma, chroma, width, colour_,
                     picture->output + ptrdiff_t(n) * picture->outputPitch);
    }
    lastKernel_ = member == kScaledVertical ? "S-v" : (member == kScaledDeinterlace ? "S-d" : "S");
    return kProcessDone;
}

// Line buffers grow to the widest picture seen; a failed allocation refuses the
// picture rather than throwing into the renderer.
bool CVRLNProcessorScaled::ReserveLines(int sourceWidth, int outputWidth) {
    try {
        if (row_.size() < size_t(sourceWidth)) row_.resize(size_t(sourceWidth));
        if (lumaLine_.size() < size_t(outputWidth)) {
            lumaLine_.resize(size_t(outputWidth));
            chromaLine_.resize(size_t(outputWidth));
            chromaIndex_.resize(size_t(outputWidth));
            pairAt_.resize(size_t(outputWidth));
            pairWeights_.resize(size_t(outputWidth) * 2 + 8);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Per output column: its chroma byte, and its taps as a neighbouring pair (the
// pixel left of the tap, then the tap) with their weights. A tap on pixel 0 has
// no left neighbour: both weights fall on it, as the pair (0, 1) weighted 256, 0.
void CVRLNProcessorScaled::IndexChroma(int sourceWidth, int width) {
    for (int x = 0; x < width; ++x) {
        const ScaledTap& t = taps_[size_t(x)];
        const int pair = std::min(t.index, sourceWidth - 1) / 2;
        chromaIndex_[size_t(x)] = 2 * pair + (x & 1);
        const bool first = t.index == 0;
        pairAt_[size_t(x)] = first ? 0 : t.index - 1;
        pairWeights_[2 * size_t(x)] = int16_t(first ? 256 : t.leftWeight);
        pairWeights_[2 * size_t(x) + 1] = int16_t(first ? 0 : t.weight);
    }
}
