// CVRLNProcessorYV12Basic: planar 4:2:0 output without colour controls, with
// one deinterlacing kernel picked by processor features at creation.
#pragma once

#include "video/kernels/video_processor.h"

class CVRLNProcessorYV12Basic : public CVRLNVideoProcessor {
  public:
    explicit CVRLNProcessorYV12Basic(const KernelCpu& cpu = DetectKernelCpu());

    int Process(CVRLNPicture* picture, int flags) override;
    intptr_t GetParameter(int id) override;
    // Colour controls do not reach this kind's output.
    void SetColourControls(const CVRLNColourRecord*) override {}

  protected:
    int CapabilityWord() const override { return 97; }

  private:
    BasicMember deinterlacer_;
    ColourConstants neutral_;
};
