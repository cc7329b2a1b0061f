// The scaled kind: vertical filter into a line, then horizontal resampling
// into packed output. Its three members are instances of one line template.
#include "video/kernels/processor_scaled.h"

#include <algorithm>
#include <cstring>

#include "video/kernels/library_state.h"

namespace {

uint8_t Sat(int v) {
    return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
}

uint8_t AddSub(int v, int add, int subtract) {
    return Sat(Sat(v + add) - subtract);
}

struct ScaledJob {
    const uint8_t* above;  // source luma line i
    const uint8_t* below;  // line i + 1 (or i - 1 for deinterlacing)
    int fraction;          // 1/256 of the way to below
    const uint8_t* chroma;
    int sourceWidth;
    int width;
    const ScaledTap* taps;  // null when not scaling across
    const ScaledConstants* k;
    uint8_t* row;
    uint8_t* out;
};

template <ScaledMember S>
void FilterRow(const ScaledJob& j) {
    for (int x = 0; x < j.sourceWidth; ++x) {
        if constexpr (S == kScaledVertical) {
            j.row[x] =
                uint8_t((j.above[x] * (256 - j.fraction) + j.below[x] * j.fraction + 128) >> 8);
        } else if constexpr (S == kScaledDeinterlace) {
            j.row[x] = uint8_t((j.above[x] + j.below[x] + 1) >> 1);
        } else {
            j.row[x] = j.above[x];
        }
    }
}

template <ScaledMember S>
void ScaledLine(const ScaledJob& j) {
    FilterRow<S>(j);
    for (int x = 0; x < j.width; ++x) {
        int y = j.row[x];
        int source = x;
        if (j.taps != nullptr) {
            const ScaledTap& t = j.taps[x];
            y = (j.row[t.index] * t.weight + j.row[std::max(t.index - 1, 0)] * t.leftWeight) >> 8;
            source = t.index;
        }
        const int pair = std::min(source, j.sourceWidth - 1) / 2;
        const bool isU = (x & 1) == 0;
        const int c = j.chroma[2 * pair + (isU ? 0 : 1)];
        j.out[2 * x] = AddSub(y, j.k->lumaAdd, j.k->lumaSubtract);
        j.out[2 * x + 1] =
            isU ? AddSub(c, j.k->uAdd, j.k->uSubtract) : AddSub(c, j.k->vAdd, j.k->vSubtract);
    }
}

using ScaledLineFn = void (*)(const ScaledJob&);
constexpr ScaledLineFn kScaledLines[kScaledMemberCount] = {
    &ScaledLine<kScaledVertical>, &ScaledLine<kScaledDeinterlace>, &ScaledLine<kScaledPlain>};

}  // namespace

int ScaledStep(int source, int target, int scale) {
    if (target <= 0 || target >= source) return 0;
    const int64_t even = (target + 1) & ~1;
    return int((int64_t(source) * 256 - 256) * scale / (even * 1000));
}

CVRLNProcessorScaled::CVRLNProcessorScaled(const KernelCpu& cpu) : CVRLNVideoProcessor(cpu) {}

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
    for (int x = 0; x < outputWidth_; ++x) {
        const int64_t position = int64_t(x) * horizontalStep_;
        const int fraction = int(position & 255);
        int index = int((position + 255) >> 8);
        index = std::min(index, source - 1);
        const int weight = fraction == 0 ? 255 : fraction;
        taps_.push_back({index, weight, 256 - weight});
    }
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
    if (row_.size() < size_t(area.width)) row_.resize(size_t(area.width));
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
        ScaledJob job{y + ptrdiff_t(line) * yPitch,
                      y + ptrdiff_t(other) * yPitch,
                      int(position & 255),
                      uv + ptrdiff_t(line / 2) * uvPitch,
                      area.width,
                      width,
                      across ? taps_.data() : nullptr,
                      &constants_,
                      row_.data(),
                      picture->output + ptrdiff_t(n) * picture->outputPitch};
        kScaledLines[member](job);
    }
    lastKernel_ = member == kScaledVertical ? "S-v" : (member == kScaledDeinterlace ? "S-d" : "S");
    return kProcessDone;
}
