// The scaled kind: a vertical filter into a luma line (none for the plain
// member), horizontal resampling through the weight table when reducing, then
// the colour step and packing, through the line routines of the processor's path.
#include "video/kernels/processor_scaled.h"

#include <algorithm>
#include <cstdint>
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

// Frames wider or taller than any screen, and scales that would walk the source
// backwards, give no scaling rather than gigabyte tables or reads before the line.
constexpr int kLargestScaledSource = 8192;

int ScaledStep(int source, int target, int scale) {
    if (target <= 0 || target >= source || source > kLargestScaledSource) return 0;
    const int64_t even = (target + 1) & ~1;
    const int64_t step = (int64_t(source) * 256 - 256) * scale / (even * 1000);
    return step > 0 && step <= INT32_MAX ? int(step) : 0;
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
    indexedSource_ = indexedWidth_ = -1;
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
ScaledGather CVRLNProcessorScaled::Gather() const {
    return {pairAt_.data(),   pairWeights_.data(), chromaIndex_.data(), lumaBase_.data(),
            lumaMask_.data(), chromaBase_.data(),  chromaMask_.data()};
}

void CVRLNProcessorScaled::Resample(const uint8_t* luma, const uint8_t* chroma, int width) {
    const ScaledGather g = Gather();
    lines_->resample(luma, g, width, lumaLine_.data());
    lines_->gather(chroma, g, width, chromaLine_.data());
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
    // The column tables hold until the taps or the sizes change.
    if (across && (indexedSource_ != area.width || indexedWidth_ != width)) {
        IndexChroma(area.width, width);
        indexedSource_ = area.width;
        indexedWidth_ = width;
    }
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
        const uint8_t* chroma = uv + ptrdiff_t(line / 2) * uvPitch;
        const uint8_t* luma = nullptr;
        const int fraction = int(position & 255);
        if (across && member == kScaledVertical && fraction != 0 &&
            lines_->blendResample != nullptr) {
            // Only the pairs the columns read are blended.
            lines_->blendResample(y + ptrdiff_t(line) * yPitch, y + ptrdiff_t(other) * yPitch,
                                  fraction, Gather(), width, lumaLine_.data());
            lines_->gather(chroma, Gather(), width, chromaLine_.data());
            luma = lumaLine_.data();
            chroma = chromaLine_.data();
        } else {
            luma = FilteredLuma(y + ptrdiff_t(line) * yPitch, y + ptrdiff_t(other) * yPitch,
                                fraction, member, area.width);
            if (across) {
                Resample(luma, chroma, width);
                luma = lumaLine_.data();
                chroma = chromaLine_.data();
            }
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
            const size_t blocks = size_t(outputWidth) / kScaledBlock + 1;
            lumaBase_.resize(blocks);
            chromaBase_.resize(blocks);
            lumaMask_.resize(blocks * 16);
            chromaMask_.resize(blocks * 16);
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
    const int chromaBytes = ChromaBytes(sourceWidth);
    for (int b = 0; (b + 1) * kScaledBlock <= width; ++b) {
        const int x = b * kScaledBlock;
        lumaBase_[size_t(b)] =
            ShuffleBlock(&pairAt_[size_t(x)], 2, sourceWidth, &lumaMask_[16 * size_t(b)]);
        chromaBase_[size_t(b)] =
            ShuffleBlock(&chromaIndex_[size_t(x)], 1, chromaBytes, &chromaMask_[16 * size_t(b)]);
    }
}

// The shuffle of one block: per column its sample (and with pair, the one to
// its right) relative to the block's first byte. -1 when the block reads
// beyond 16 bytes or beyond the line.
int CVRLNProcessorScaled::ShuffleBlock(const int32_t* index, int pair, int lineBytes,
                                       uint8_t* mask) {
    int lo = index[0], hi = index[0];
    for (int k = 1; k < kScaledBlock; ++k) {
        lo = std::min(lo, index[k]);
        hi = std::max(hi, index[k]);
    }
    if (hi + pair - 1 - lo >= 16 || lo + 16 > lineBytes) return -1;
    for (int k = 0; k < 16; ++k) mask[k] = 0x80;
    for (int k = 0; k < kScaledBlock; ++k) {
        for (int p = 0; p < pair; ++p) mask[pair * k + p] = uint8_t(index[k] - lo + p);
    }
    return lo;
}
