// CVRLNScaler: resizes a picture into a fixed box while keeping a display
// aspect ratio. Configure computes the largest picture of that ratio that
// fits the box (sizes adjusted in steps of 4), centres it, and builds per-axis
// index tables so that no division happens per pixel; Scale fills the fitted
// part of the box from a source picture. The rest of the box is not written:
// the caller fills it beforehand. One object serves one configuration at a
// time; configuring it again with the same values costs nothing.
//
// Formats (pictures and the box tightly packed, lines of width pixels):
//   2  three bytes per pixel
//   3  four bytes per pixel
//   4  packed 4:2:2, Y0 U Y1 V (two bytes per pixel): luma by the column
//      table, U and V of each pair by the chroma column table
//   6  planar 4:2:0: a luma plane, then two chroma planes of a quarter of its
//      size; the two chroma planes change places (the first source plane
//      becomes the second box plane)
//   7  planar 4:2:0 with the chroma planes kept in their order
// Filters: 0 nearest neighbour; 1 linear between the two neighbours where
// the output is at least as long as the source (weight pairs), nearest
// elsewhere, the horizontal pass first, each pass rounded to bytes.
//
// Results of Configure: 0, or
//   kScalerBadFormat (-2)   format outside 0 ... 9
//   kScalerBadFilter (-3)   filter outside 0 ... 3
//   kScalerNotBuilt (-8)    formats 0, 1, 5, 8, 9 and filters 2, 3: they
//                           have no layout or arithmetic here
//   kScalerBadWidth (-4)    a box or source width of 0 or less, above
//                           kScalerMaxSide, or odd for formats 4 to 9
//   kScalerBadHeight (-5)   the same for heights; odd only matters for 6 to 9
//   kScalerBadAspect (-6)   an aspect ratio that is not a positive finite number
//   kScalerNoFit (-7)       a fitted size of 0 or less
// Each failure clears the ready flag and keeps the previous tables and values.
//
// Not thread-safe: its owner uses it from one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "video/render/scaler/scaler_plane.h"
#include "video/render/scaler/scaler_routines.h"

constexpr int kScalerBadFormat = -2;
constexpr int kScalerBadFilter = -3;
constexpr int kScalerBadWidth = -4;
constexpr int kScalerBadHeight = -5;
constexpr int kScalerBadAspect = -6;
constexpr int kScalerNoFit = -7;
constexpr int kScalerNotBuilt = -8;

constexpr int kScalerMaxSide = 8192;

enum ScalerFormat : int {
    kScalerThreeBytes = 2,
    kScalerFourBytes = 3,
    kScalerPacked422 = 4,
    kScalerPlanar420Swapped = 6,
    kScalerPlanar420 = 7,
};

enum ScalerFilter : int {
    kScalerNearest = 0,
    kScalerLinear = 1,
};

class CVRLNScaler {
  public:
    explicit CVRLNScaler(const ScalerRoutines& routines = DefaultScalerRoutines());
    CVRLNScaler(const CVRLNScaler&) = delete;
    CVRLNScaler& operator=(const CVRLNScaler&) = delete;

    int Configure(int format, int filter, float aspect, int boxWidth, int boxHeight,
                  int sourceWidth, int sourceHeight);
    // Does nothing unless ready.
    void Scale(uint8_t* destination, const uint8_t* source);

    bool Ready() const { return ready_; }
    int FittedWidth() const { return fittedWidth_; }
    int FittedHeight() const { return fittedHeight_; }
    // Where the fitted picture starts in the box, in pixels and lines.
    int Left() const { return (boxWidth_ - fittedWidth_) / 2; }
    int Top() const { return (boxHeight_ - fittedHeight_) / 2; }
    // The fitted size equals the source: lines are copied as they are.
    bool PlainCopy() const { return scaleRoutine_ == CopyPlane; }
    const std::vector<int32_t>& Columns() const { return columns_; }
    const std::vector<int32_t>& Lines() const { return lines_; }
    const std::vector<int32_t>& ChromaColumns() const { return chromaColumns_; }
    const std::vector<int32_t>& ChromaLines() const { return chromaLines_; }
    const std::vector<ScalerWeight>& ColumnWeights() const { return columnWeights_; }
    const std::vector<ScalerWeight>& LineWeights() const { return lineWeights_; }
    const std::vector<ScalerWeight>& ChromaColumnWeights() const { return chromaColumnWeights_; }
    const std::vector<ScalerWeight>& ChromaLineWeights() const { return chromaLineWeights_; }
    const ScalerRoutines& Routines() const { return routines_; }

    // Bytes of a picture of the format: width x height pixels.
    static size_t PictureBytes(int format, int width, int height);

  private:
    int Validate(int format, int filter, float aspect, int boxWidth, int boxHeight, int sourceWidth,
                 int sourceHeight) const;
    bool SameAsCurrent(int format, int filter, float aspect, int boxWidth, int boxHeight,
                       int sourceWidth, int sourceHeight) const;
    void ChooseRoutines();
    void BuildTables();
    void BuildPlanes();
    ScalerPlane MakePlane(bool chroma) const;

    const ScalerRoutines& routines_;
    ScalerLineRoutine lineRoutine_ = nullptr;
    ScalerPlaneRoutine scaleRoutine_ = nullptr;
    bool ready_ = false;
    bool configured_ = false;  // the values below were set by a successful Configure
    int format_ = 0;
    int filter_ = 0;
    float aspect_ = 0.0f;
    int boxWidth_ = 0;
    int boxHeight_ = 0;
    int sourceWidth_ = 0;
    int sourceHeight_ = 0;
    int fittedWidth_ = 0;
    int fittedHeight_ = 0;
    std::vector<int32_t> columns_;
    std::vector<int32_t> lines_;
    std::vector<int32_t> chromaColumns_;
    std::vector<int32_t> chromaLines_;
    std::vector<ScalerWeight> columnWeights_;
    std::vector<ScalerWeight> lineWeights_;
    std::vector<ScalerWeight> chromaColumnWeights_;
    std::vector<ScalerWeight> chromaLineWeights_;
    std::vector<ScalerPlane> planes_;
    std::vector<uint8_t> scratch_;
};
