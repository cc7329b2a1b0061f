// Configuration and scaling of CVRLNScaler.
#include "video/render/scaler/scaler.h"

#include <cmath>

namespace {

bool Planar(int format) {
    return format == kScalerPlanar420Swapped || format == kScalerPlanar420;
}

bool Built(int format, int filter) {
    const bool formatBuilt = format == kScalerThreeBytes || format == kScalerFourBytes ||
                             format == kScalerPacked422 || Planar(format);
    return formatBuilt && (filter == kScalerNearest || filter == kScalerLinear);
}

int BytesPerPixel(int format) {
    switch (format) {
        case kScalerThreeBytes:
            return 3;
        case kScalerFourBytes:
            return 4;
        case kScalerPacked422:
            return 2;
        default:
            return 1;
    }
}

bool SideOk(int side) {
    return side > 0 && side <= kScalerMaxSide;
}

bool Odd(int value) {
    return (value & 1) != 0;
}

// The source byte of every output byte of a nearest-neighbour line.
std::vector<int32_t> LineBytes(const ScalerPlane& plane) {
    std::vector<int32_t> bytes;
    bytes.reserve(plane.FittedLineBytes());
    const std::vector<int32_t>& columns = *plane.columns;
    if (plane.pixels == ScalerPixels::kPacked422) {
        const std::vector<int32_t>& pairs = *plane.chromaColumns;
        for (int p = 0; p < plane.fittedWidth / 2; ++p) {
            bytes.push_back(columns[size_t(2 * p)] * 2);
            bytes.push_back(pairs[size_t(p)] * 4 + 1);
            bytes.push_back(columns[size_t(2 * p + 1)] * 2);
            bytes.push_back(pairs[size_t(p)] * 4 + 3);
        }
        return bytes;
    }
    for (int x = 0; x < plane.fittedWidth; ++x)
        for (int c = 0; c < plane.bytesPerPixel; ++c)
            bytes.push_back(columns[size_t(x)] * plane.bytesPerPixel + c);
    return bytes;
}

}  // namespace

CVRLNScaler::CVRLNScaler(const ScalerRoutines& routines) : routines_(routines) {}

size_t CVRLNScaler::PictureBytes(int format, int width, int height) {
    const size_t pixels = size_t(width > 0 ? width : 0) * size_t(height > 0 ? height : 0);
    return Planar(format) ? pixels * 3 / 2 : pixels * size_t(BytesPerPixel(format));
}

bool CVRLNScaler::SameAsCurrent(int format, int filter, float aspect, int boxWidth, int boxHeight,
                                int sourceWidth, int sourceHeight) const {
    return configured_ && format == format_ && filter == filter_ && aspect == aspect_ &&
           boxWidth == boxWidth_ && boxHeight == boxHeight_ && sourceWidth == sourceWidth_ &&
           sourceHeight == sourceHeight_;
}

int CVRLNScaler::Validate(int format, int filter, float aspect, int boxWidth, int boxHeight,
                          int sourceWidth, int sourceHeight) const {
    if (format < 0 || format > 9) return kScalerBadFormat;
    if (filter < 0 || filter > 3) return kScalerBadFilter;
    if (!Built(format, filter)) return kScalerNotBuilt;
    if (!SideOk(boxWidth) || !SideOk(sourceWidth)) return kScalerBadWidth;
    if (format > 3 && (Odd(boxWidth) || Odd(sourceWidth))) return kScalerBadWidth;
    if (!SideOk(boxHeight) || !SideOk(sourceHeight)) return kScalerBadHeight;
    if (format >= 6 && (Odd(boxHeight) || Odd(sourceHeight))) return kScalerBadHeight;
    if (!std::isfinite(aspect) || !(aspect > 0.0f)) return kScalerBadAspect;
    const ScalerFit fit = FitInBox(aspect, boxWidth, boxHeight);
    if (fit.width <= 0 || fit.height <= 0) return kScalerNoFit;
    return 0;
}

int CVRLNScaler::Configure(int format, int filter, float aspect, int boxWidth, int boxHeight,
                           int sourceWidth, int sourceHeight) {
    if (SameAsCurrent(format, filter, aspect, boxWidth, boxHeight, sourceWidth, sourceHeight)) {
        ready_ = true;
        return 0;
    }
    const int refused =
        Validate(format, filter, aspect, boxWidth, boxHeight, sourceWidth, sourceHeight);
    if (refused != 0) {
        ready_ = false;
        return refused;
    }
    format_ = format;
    filter_ = filter;
    aspect_ = aspect;
    boxWidth_ = boxWidth;
    boxHeight_ = boxHeight;
    sourceWidth_ = sourceWidth;
    sourceHeight_ = sourceHeight;
    const ScalerFit fit = FitInBox(aspect, boxWidth, boxHeight);
    fittedWidth_ = fit.width;
    fittedHeight_ = fit.height;
    ChooseRoutines();
    BuildTables();
    BuildPlanes();
    configured_ = true;
    ready_ = true;
    return 0;
}

void CVRLNScaler::ChooseRoutines() {
    const bool packed = format_ == kScalerPacked422;
    if (fittedWidth_ == sourceWidth_ && fittedHeight_ == sourceHeight_) {
        scaleRoutine_ = CopyPlane;
        lineRoutine_ = nullptr;
    } else if (filter_ == kScalerNearest) {
        scaleRoutine_ = NearestPlane;
        lineRoutine_ =
            packed ? routines_.nearestPacked422 : routines_.nearestBytes[BytesPerPixel(format_)];
    } else {
        scaleRoutine_ = LinearPlane;
        lineRoutine_ = packed ? LinearPacked422Line : LinearBytesLine;
    }
}

void CVRLNScaler::BuildTables() {
    columns_.clear();
    lines_.clear();
    chromaColumns_.clear();
    chromaLines_.clear();
    columnWeights_.clear();
    lineWeights_.clear();
    chromaColumnWeights_.clear();
    chromaLineWeights_.clear();
    if (PlainCopy()) return;
    const bool chromaColumns = format_ >= 4, chromaLines = format_ >= 6;
    columns_ = BuildIndexTable(fittedWidth_, sourceWidth_);
    lines_ = BuildIndexTable(fittedHeight_, sourceHeight_);
    if (chromaColumns) chromaColumns_ = BuildIndexTable(fittedWidth_ / 2, sourceWidth_ / 2);
    if (chromaLines) chromaLines_ = BuildIndexTable(fittedHeight_ / 2, sourceHeight_ / 2);
    if (filter_ != kScalerLinear) return;
    columnWeights_ = BuildWeightTable(fittedWidth_, sourceWidth_);
    lineWeights_ = BuildWeightTable(fittedHeight_, sourceHeight_);
    if (chromaColumns) chromaColumnWeights_ = BuildWeightTable(fittedWidth_ / 2, sourceWidth_ / 2);
    if (chromaLines) chromaLineWeights_ = BuildWeightTable(fittedHeight_ / 2, sourceHeight_ / 2);
}

// A chroma plane of planar 4:2:0 is a picture of half the sizes that uses
// the chroma tables.
ScalerPlane CVRLNScaler::MakePlane(bool chroma) const {
    ScalerPlane p;
    const int divide = chroma ? 2 : 1;
    p.pixels = format_ == kScalerPacked422 ? ScalerPixels::kPacked422 : ScalerPixels::kBytes;
    p.bytesPerPixel = BytesPerPixel(format_);
    p.sourceWidth = sourceWidth_ / divide;
    p.sourceHeight = sourceHeight_ / divide;
    p.fittedWidth = fittedWidth_ / divide;
    p.fittedHeight = fittedHeight_ / divide;
    p.boxPitch = size_t(boxWidth_ / divide) * size_t(p.bytesPerPixel);
    p.boxOffset =
        size_t(Top() / divide) * p.boxPitch + size_t(Left() / divide) * size_t(p.bytesPerPixel);
    p.columns = chroma ? &chromaColumns_ : &columns_;
    p.lines = chroma ? &chromaLines_ : &lines_;
    p.columnWeights = chroma ? &chromaColumnWeights_ : &columnWeights_;
    p.lineWeights = chroma ? &chromaLineWeights_ : &lineWeights_;
    if (p.pixels == ScalerPixels::kPacked422) {
        p.chromaColumns = &chromaColumns_;
        p.chromaColumnWeights = &chromaColumnWeights_;
    }
    if (scaleRoutine_ == NearestPlane)
        p.gather = BuildGatherPlan(LineBytes(p), int(p.SourcePitch()));
    return p;
}

void CVRLNScaler::BuildPlanes() {
    planes_.clear();
    planes_.push_back(MakePlane(false));
    if (Planar(format_)) {
        planes_.push_back(MakePlane(true));
        planes_.push_back(MakePlane(true));
    }
    scratch_.assign(planes_.front().FittedLineBytes() * 2, 0);
}

void CVRLNScaler::Scale(uint8_t* destination, const uint8_t* source) {
    if (!ready_ || destination == nullptr || source == nullptr) return;
    if (!Planar(format_)) {
        scaleRoutine_(planes_[0], lineRoutine_, source, destination, scratch_.data());
        return;
    }
    const size_t sourceLuma = size_t(sourceWidth_) * size_t(sourceHeight_);
    const size_t boxLuma = size_t(boxWidth_) * size_t(boxHeight_);
    const uint8_t* stored[2] = {source + sourceLuma, source + sourceLuma + sourceLuma / 4};
    uint8_t* box[2] = {destination + boxLuma, destination + boxLuma + boxLuma / 4};
    // Format 6 hands the chroma planes over in swapped order.
    const bool swapped = format_ == kScalerPlanar420Swapped;
    scaleRoutine_(planes_[0], lineRoutine_, source, destination, scratch_.data());
    scaleRoutine_(planes_[1], lineRoutine_, stored[swapped ? 1 : 0], box[0], scratch_.data());
    scaleRoutine_(planes_[2], lineRoutine_, stored[swapped ? 0 : 1], box[1], scratch_.data());
}
