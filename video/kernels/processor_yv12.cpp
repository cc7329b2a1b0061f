// The planar kind with colour controls.
#include "video/kernels/processor_yv12.h"

#include "video/kernels/kernel_choice.h"
#include "video/kernels/library_state.h"

CVRLNProcessorYV12::CVRLNProcessorYV12(const KernelCpu& cpu) : CVRLNVideoProcessor(cpu) {
    for (auto& table : tables_) BuildClampTable(table, 0);
    SetParameter(kParamOverlayPerLine, 1);
}

void CVRLNProcessorYV12::BuildClampTable(uint8_t* table, int offset) {
    for (int i = 0; i < 256; ++i) {
        const int v = offset + i;
        table[i] = uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

int CVRLNProcessorYV12::CapabilityWord() const {
    return Capability() ? 127 : 235;
}

int CVRLNProcessorYV12::Process(CVRLNPicture* picture, int flags) {
    if (picture == nullptr) return kProcessRefused;
    const bool deinterlace = (DeinterlaceModeWord() & kDeinterlaceBit) != 0;
    const PlanarMember member = ChoosePlanarMember(colourMode_, deinterlace, Capability(), method_);
    const ColourConstants k = CurrentColourConstants();
    return RunPlanar(picture, flags, kernels_->planar[member], k);
}
