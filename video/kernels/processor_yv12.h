// CVRLNProcessorYV12: planar 4:2:0 output in YV12 plane order with the full
// colour controls; eleven kernel members.
#pragma once

#include "video/kernels/video_processor.h"

class CVRLNProcessorYV12 : public CVRLNVideoProcessor {
  public:
    explicit CVRLNProcessorYV12(const KernelCpu& cpu = DetectKernelCpu());

    int Process(CVRLNPicture* picture, int flags) override;

    // Fills 256 bytes with clamp(offset + i, 0, 255).
    static void BuildClampTable(uint8_t* table, int offset);
    // The three lookup tables, the identity at creation.
    const uint8_t* LookupTable(int index) const { return tables_[index]; }

  protected:
    int CapabilityWord() const override;

  private:
    uint8_t tables_[3][256];
};
