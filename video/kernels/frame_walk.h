// Walks a picture line by line through a kernel member: picks the source
// lines each output line is made from, the overlay rows and spans, and
// advances the progress counter after every line.
#pragma once

#include <atomic>
#include <cstdint>

#include "video/kernels/kernel_set.h"
#include "video/kernels/overlay_planes.h"

struct FrameArea {
    const uint8_t* y = nullptr;  // first source luma line
    int yPitch = 0;
    const uint8_t* uv = nullptr;  // first interleaved chroma line
    int uvPitch = 0;
    int width = 0;
    int lines = 0;
    uint8_t* out = nullptr;  // planar Y plane, or the packed output
    int outPitch = 0;
    uint8_t* outU = nullptr;  // planar chroma planes
    uint8_t* outV = nullptr;
    int outChromaPitch = 0;
    const OverlayPlanes* overlay = nullptr;  // null when no overlay is active
    const ColourConstants* k = nullptr;
    std::atomic<int32_t>* progress = nullptr;
};

// Which field the field-aware filter keeps: 0 the even (top) lines, 1 the odd
// ones. A progressive picture is not filtered at all.
struct FieldChoice {
    int keepParity = 0;
    bool progressive = false;
};

void WalkPlanar(const FrameArea& area, const PlanarKernel& kernel, FieldChoice field);
void WalkPacked(const FrameArea& area, const PackedKernel& kernel, FieldChoice field);

// The source chroma line of packed output line n.
int PackedChromaLine(ChromaPattern pattern, int n, int lines);
