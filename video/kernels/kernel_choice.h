// Which kernel member a picture runs through, from the colour mode, the
// deinterlace bit, the capability bit and the deinterlacing method. Chosen
// once per picture, never per pixel.
#pragma once

#include "video/kernels/kernel_set.h"

constexpr int kMethodNoDeinterlace = 1;
constexpr int kMethodFieldAware = 3;

PlanarMember ChoosePlanarMember(int mode, bool deinterlace, bool capability, int method);

// frame: the picture's structure is a whole frame; secondVariant: the
// library-wide output switch, which ignores deinterlacing.
PackedMember ChoosePackedMember(int mode, bool deinterlace, bool capability, int method, bool frame,
                                bool secondVariant);

// The basic kind's deinterlacing kernel, by processor features.
BasicMember ChooseBasicDeinterlacer(const KernelCpu& cpu);
