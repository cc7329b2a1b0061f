// The packed kind.
#include "video/kernels/processor_yuy2.h"

#include <cstring>

#include "video/kernels/kernel_choice.h"
#include "video/kernels/library_state.h"

CVRLNProcessorYUY2::CVRLNProcessorYUY2(const KernelCpu& cpu) : CVRLNVideoProcessor(cpu) {}

int CVRLNProcessorYUY2::CapabilityWord() const {
    return Capability() ? 511 : 235;
}

// A packed source is the output already: copied unchanged, in one block when
// source and output lines are laid out alike.
int CVRLNProcessorYUY2::CopyThrough(const CVRLNPicture& picture, const Area& area) {
    const size_t line = size_t(area.width) * 2;
    const size_t sourcePitch = size_t(picture.width) * 2;
    const size_t outPitch = size_t(picture.outputPitch);
    if (picture.output == nullptr || outPitch < line) return kProcessRefused;
    const uint8_t* src = picture.plane[0] + area.top * sourcePitch + size_t(area.left) * 2;
    if (outPitch == line && sourcePitch == line) {
        std::memcpy(picture.output, src, line * size_t(area.lines));
        return kProcessDone;
    }
    for (int n = 0; n < area.lines; ++n) {
        std::memcpy(picture.output + n * outPitch, src + n * sourcePitch, line);
    }
    return kProcessDone;
}

int CVRLNProcessorYUY2::Process(CVRLNPicture* picture, int) {
    if (picture == nullptr) return kProcessRefused;
    Area area;
    if (!ResolveArea(*picture, &area)) return kProcessRefused;
    DuplicateLastLine(picture, area);
    if (picture->packed) return CopyThrough(*picture, area);
    if (!PrepareOverlay(area, 0)) return kProcessNoMemory;
    if (picture->output == nullptr || picture->plane[1] == nullptr ||
        picture->outputPitch < int64_t(area.width) * 2) {
        return kProcessRefused;
    }
    const bool deinterlace = (DeinterlaceModeWord() & kDeinterlaceBit) != 0;
    const PackedMember member =
        ChoosePackedMember(colourMode_, deinterlace, Capability(), method_,
                           picture->pictureStructure == kPictureFrame, PackedOutputVariant() != 0);
    const ColourConstants k = CurrentColourConstants();
    FrameArea f = SourceArea(*picture, area, k);
    f.out = picture->output;
    f.outPitch = picture->outputPitch;
    const PackedKernel& kernel = kernels_->packed[member];
    lastKernel_ = kernel.label;
    WalkPacked(f, kernel, FieldOf(*picture, true));
    return kProcessDone;
}
