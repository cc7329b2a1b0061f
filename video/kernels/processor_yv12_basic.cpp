// The basic planar kind.
#include "video/kernels/processor_yv12_basic.h"

#include "video/kernels/kernel_choice.h"
#include "video/kernels/library_state.h"

CVRLNProcessorYV12Basic::CVRLNProcessorYV12Basic(const KernelCpu& cpu)
    : CVRLNVideoProcessor(cpu),
      deinterlacer_(ChooseBasicDeinterlacer(cpu)),
      neutral_(NeutralColourConstants()) {
    SetParameter(kParamOverlayPerLine, 1);
}

intptr_t CVRLNProcessorYV12Basic::GetParameter(int id) {
    return id == kParamFlags ? 0 : CVRLNVideoProcessor::GetParameter(id);
}

int CVRLNProcessorYV12Basic::Process(CVRLNPicture* picture, int flags) {
    if (picture == nullptr) return kProcessRefused;
    const bool deinterlace = (DeinterlaceModeWord() & kDeinterlaceBit) != 0;
    const BasicMember member = deinterlace ? deinterlacer_ : kBasicConvert;
    return RunPlanar(picture, flags, kernels_->basic[member], neutral_);
}
