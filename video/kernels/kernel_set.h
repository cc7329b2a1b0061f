// The kernel members of each processor kind, as tables of line functions. One
// table per code path (scalar reference, SSE2); every entry is an instance of
// the same line templates, so the paths cannot drift apart.
#pragma once

#include "video/kernels/kernel_cpu.h"
#include "video/kernels/line_job.h"

// Which source lines feed each output line.
enum class LinePlan {
    kStraight,  // line n
    kPrevious,  // line 0 as it is; line n blended with line n - 1
    kField,     // one field kept, the other rebuilt from its neighbours
    kFieldTap,  // one field kept, the other filtered with both neighbours
};

// Which source chroma line a packed output line takes.
enum class ChromaPattern {
    kProgressive,  // n / 2
    kFieldPairs,   // 0, 1, 0, 1, 2, 3, 2, 3, ...: chroma of the line's own field
};

struct PlanarKernel {
    const char* label;
    LineFn straight;  // luma of a line taken as it is
    LineFn filtered;  // luma of a line built from several (null for kStraight)
    LineFn chroma;    // split of one chroma line into U and V
    LinePlan plan;
};

struct PackedKernel {
    const char* label;
    LineFn straight;
    LineFn filtered;
    LinePlan plan;
    ChromaPattern chroma;
};

// Members as labelled in logs: A planar, B packed; 0, 1, 2 the colour mode;
// x line blending by rounded mean, d by halved sum, 3 the field-aware filter
// (3f on frame pictures), n without the capability bit, v the second packed
// output variant (U Y0 V Y1).
enum PlanarMember {
    // clang-format off
    kA0, kA1, kA2,
    kA0x, kA1x, kA2x,
    kA03, kA13, kA23,
    kA0d, kA1d,
    kPlanarMemberCount
    // clang-format on
};

enum PackedMember {
    // clang-format off
    kB0, kB1, kB2,
    kB0n, kB1n,
    kB03f, kB13f, kB23f,
    kB03, kB13, kB23,
    kB0x, kB1x, kB2x,
    kB0d, kB1d,
    kB0v, kB1v, kB2v,
    kB0vn, kB1vn,
    kPackedMemberCount
    // clang-format on
};

// The basic kind: a conversion without colour step, and one deinterlacer per
// processor class (SSE and 3DNow! blend by rounded mean, plain MMX by halved sum).
enum BasicMember { kBasicConvert, kBasicSse, kBasic3DNow, kBasicMmx, kBasicMemberCount };

struct KernelSet {
    const char* name;
    PlanarKernel planar[kPlanarMemberCount];
    PackedKernel packed[kPackedMemberCount];
    PlanarKernel basic[kBasicMemberCount];
};

const KernelSet& ReferenceKernels();
// Null when this build has no such path. Run the AVX2 table only where
// HostSupportsAvx2() says the processor and system allow it.
const KernelSet* Sse2Kernels();
const KernelSet* Avx2Kernels();
// SSE2 with the members where AVX2 measured faster taken from the AVX2 table.
const KernelSet* MixedKernels();
// The set the processor allows: reference, SSE2, or SSE2 mixed with AVX2.
const KernelSet& KernelsFor(const KernelCpu& cpu);
