// CVRLNProcessorYUY2: packed 4:2:2 output (Y0 U Y1 V, or U Y0 V Y1 with the
// second output variant) with the full colour controls; 21 kernel members.
#pragma once

#include "video/kernels/video_processor.h"

class CVRLNProcessorYUY2 : public CVRLNVideoProcessor {
  public:
    explicit CVRLNProcessorYUY2(const KernelCpu& cpu = DetectKernelCpu());

    // Takes no flags.
    int Process(CVRLNPicture* picture, int flags) override;

  protected:
    int CapabilityWord() const override;

  private:
    int CopyThrough(const CVRLNPicture& picture, const Area& area);
};
