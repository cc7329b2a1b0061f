// Kernel selection tables.
#include "video/kernels/kernel_choice.h"

namespace {

int ModeIndex(int mode) {
    return mode < 0 ? 0 : (mode > 2 ? 2 : mode);
}

constexpr PlanarMember kPlanarPlain[] = {kA0, kA1, kA2};
constexpr PlanarMember kPlanarBlend[] = {kA0x, kA1x, kA2x};
constexpr PlanarMember kPlanarField[] = {kA03, kA13, kA23};
constexpr PlanarMember kPlanarHalved[] = {kA0d, kA1d, kA1d};  // mode 2 needs the capability bit

constexpr PackedMember kPackedPlain[] = {kB0, kB1, kB2};
constexpr PackedMember kPackedPlainNoCap[] = {kB0n, kB1n, kB2};
constexpr PackedMember kPackedFrame[] = {kB03f, kB13f, kB23f};
constexpr PackedMember kPackedField[] = {kB03, kB13, kB23};
constexpr PackedMember kPackedBlend[] = {kB0x, kB1x, kB2x};
constexpr PackedMember kPackedHalved[] = {kB0d, kB1d, kB2x};
constexpr PackedMember kPackedVariant[] = {kB0v, kB1v, kB2v};
constexpr PackedMember kPackedVariantNoCap[] = {kB0vn, kB1vn, kB2v};

}  // namespace

PlanarMember ChoosePlanarMember(int mode, bool deinterlace, bool capability, int method) {
    const int m = ModeIndex(mode);
    if (!deinterlace) return kPlanarPlain[m];
    if (!capability) return kPlanarHalved[m];
    if (method == kMethodNoDeinterlace) return kPlanarPlain[m];
    if (method == kMethodFieldAware) return kPlanarField[m];
    return kPlanarBlend[m];
}

PackedMember ChoosePackedMember(int mode, bool deinterlace, bool capability, int method, bool frame,
                                bool secondVariant) {
    const int m = ModeIndex(mode);
    if (secondVariant) return capability ? kPackedVariant[m] : kPackedVariantNoCap[m];
    // Colour mode 2 always runs as with the capability bit.
    const bool cap = capability || m == 2;
    if (!deinterlace) return cap ? kPackedPlain[m] : kPackedPlainNoCap[m];
    if (!cap) return kPackedHalved[m];
    if (method == kMethodNoDeinterlace) return kPackedPlain[m];
    if (method == kMethodFieldAware) return frame ? kPackedFrame[m] : kPackedField[m];
    return kPackedBlend[m];
}

BasicMember ChooseBasicDeinterlacer(const KernelCpu& cpu) {
    if (cpu.sse) return kBasicSse;
    if (cpu.amd3DNow) return kBasic3DNow;
    return kBasicMmx;
}
