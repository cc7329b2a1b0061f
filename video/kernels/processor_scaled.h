// CVRLNProcessorScaled: packed 4:2:2 output reduced to the size given by
// SetOutputWidth / SetOutputHeight, with steps in 1/256 pixel and a weight
// table per output column; three kernel members.
#pragma once

#include <vector>

#include "video/kernels/scaled_lines.h"
#include "video/kernels/video_processor.h"

// One output column: source pixel index and the weights of it and of its left neighbour.
struct ScaledTap {
    int index;
    int weight;      // of pixel index
    int leftWeight;  // of pixel index - 1
};

// The scaled kind's own constants.
struct ScaledConstants {
    int lumaAdd = 0;
    int lumaSubtract = 0;
    int lumaCentre = 128;
    int contrastGain = 240;
    int saturationGain = 240;
    int uAdd = 0, uSubtract = 0, vAdd = 0, vSubtract = 0;
};

enum ScaledMember { kScaledVertical, kScaledDeinterlace, kScaledPlain, kScaledMemberCount };

class CVRLNProcessorScaled : public CVRLNVideoProcessor {
  public:
    explicit CVRLNProcessorScaled(const KernelCpu& cpu = DetectKernelCpu());

    // Set the steps against the library-wide current frame size; they return the step.
    int SetOutputWidth(int width, int scale) override;
    int SetOutputHeight(int height, int scale) override;
    intptr_t GetParameter(int id) override;
    void SetColourControls(const CVRLNColourRecord* colours) override;
    int Process(CVRLNPicture* picture, int flags) override;

    int HorizontalStep() const { return horizontalStep_; }
    int VerticalStep() const { return verticalStep_; }
    const std::vector<ScaledTap>& Taps() const { return taps_; }
    const ScaledConstants& Constants() const { return constants_; }
    // The line routines this processor runs (tests compare the paths).
    const ScaledLineSet& Lines() const { return *lines_; }

  protected:
    int CapabilityWord() const override { return 0; }

  private:
    const uint8_t* FilteredLuma(const uint8_t* line, const uint8_t* other, int fraction,
                                ScaledMember member, int width);
    void Resample(const uint8_t* luma, const uint8_t* chroma, int width);
    ScaledGather Gather() const;
    bool ReserveLines(int sourceWidth, int outputWidth);
    void IndexChroma(int sourceWidth, int width);
    static int ShuffleBlock(const int32_t* index, int pair, int lineBytes, uint8_t* mask);

    const ScaledLineSet* lines_;
    int horizontalStep_ = 0;
    int verticalStep_ = 0;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    std::vector<ScaledTap> taps_;
    std::vector<uint8_t> row_;                    // one vertically filtered luma line
    std::vector<uint8_t> lumaLine_, chromaLine_;  // one resampled line
    std::vector<int32_t> chromaIndex_;            // chroma byte of each output column
    std::vector<int32_t> pairAt_;                 // left pixel of each column's pair
    std::vector<int16_t> pairWeights_;            // its two weights
    std::vector<int32_t> lumaBase_, chromaBase_;  // per block of columns, for shuffles
    std::vector<uint8_t> lumaMask_, chromaMask_;
    int indexedSource_ = -1;  // the sizes the column tables were made for
    int indexedWidth_ = -1;
    ScaledConstants constants_;
    ScaledColour colour_;
};

// Step in 1/256 pixel for reducing size source to target (scale 1000 = 1:1), or 0.
int ScaledStep(int source, int target, int scale);
