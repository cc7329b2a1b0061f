// The routines of the aspect-fitting scaler, per code path: the plain
// reference and, on x86, SSSE3 and AVX2 gathers for the nearest-neighbour
// lines that give the same bytes. The linear filter and the picture walks are
// plain code on every path.
#pragma once

#include "video/render/scaler/scaler_plane.h"

struct KernelCpu;

struct ScalerRoutines {
    const char* name;
    // Nearest-neighbour lines: pixels of bytesPerPixel bytes, and packed 4:2:2.
    ScalerLineRoutine nearestBytes[5];  // by bytes per pixel (1, 3, 4 used)
    ScalerLineRoutine nearestPacked422;
    // The gather from a plane's byte plan that the lines above use (null in
    // the reference).
    ScalerLineRoutine gather;
};

const ScalerRoutines& ReferenceScalerRoutines();
// Null when this build or this processor cannot run it.
const ScalerRoutines* Ssse3ScalerRoutines();
const ScalerRoutines* Avx2ScalerRoutines();
// The best path a processor record allows: SSSE3 needs the record's SSSE3
// (given only with SSE2 allowed, so "CPUCHECK" can turn it off), AVX2 that
// and the record's AVX2.
const ScalerRoutines& ScalerRoutinesFor(const KernelCpu& cpu);
// ScalerRoutinesFor the platform layer's record of this processor.
const ScalerRoutines& DefaultScalerRoutines();

// Linear-filter lines (filter 1): the weight pairs blend two neighbours,
// other positions take their index as the nearest lines do.
void LinearBytesLine(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out);
void LinearPacked422Line(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out);

// Picture walks. Copy: the source lines as they are (fitted size equals the
// source). Nearest: line 0 from source line 0, each later line from its line
// index, or a copy of the previous output line when the index repeats.
// Linear: lines with a weight pair blend two made lines, others are made
// from their index.
void CopyPlane(const ScalerPlane& plane, ScalerLineRoutine line, const uint8_t* source,
               uint8_t* box, uint8_t* scratch);
void NearestPlane(const ScalerPlane& plane, ScalerLineRoutine line, const uint8_t* source,
                  uint8_t* box, uint8_t* scratch);
void LinearPlane(const ScalerPlane& plane, ScalerLineRoutine line, const uint8_t* source,
                 uint8_t* box, uint8_t* scratch);

// (a x first + b x second + 32768) >> 16, the blend of every weight pair.
inline uint8_t BlendBytes(uint32_t a, uint32_t b, const ScalerWeight& w) {
    return uint8_t((a * uint32_t(w.first) + b * uint32_t(w.second) + 32768u) >> 16);
}
