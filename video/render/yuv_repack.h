// The repack of a packed 4:2:2 frame (Y0 U Y1 V) into a Y plane followed by a
// half-height interleaved U/V plane, as direct play's planar path and the
// frame-buffer converter use it. Chroma line m comes from source line
// 4 * (m / 2) + (m % 2): the chroma of source lines 4k and 4k + 1 is kept, that
// of 4k + 2 and 4k + 3 dropped.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes of the planar result: (width x height x 3) / 2.
size_t PlanarFrameBytes(int width, int height);

// Source line whose chroma feeds chroma line m of the result.
inline int ChromaSourceLine(int m) {
    return 4 * (m / 2) + (m % 2);
}

// Repacks a width x height packed frame into dst (dstBytes long). Every write
// stays inside dst whatever the size: for heights that are not a multiple of
// four and for odd widths the chroma lines that do not fit are left out, the
// lines that fit keep the mapping above. Returns the chroma lines written.
int RepackPackedToPlanar(const uint8_t* src, int width, int height, uint8_t* dst, size_t dstBytes);
