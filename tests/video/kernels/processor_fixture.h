// A planar source picture and an output buffer, for processor tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "video/kernels/colour_constants.h"
#include "video/kernels/kernel_cpu.h"
#include "video/kernels/library_state.h"
#include "video/render/picture.h"

// Code paths by number: 0 the reference, 1 SSE2, 2 SSE2 mixed with AVX2,
// 3 AVX2 throughout (both SSE2 where the processor has no AVX2), so every path
// runs on every machine.
inline KernelCpu TestCpu(int path, bool capability) {
    KernelCpu cpu;
    cpu.sse2 = path >= 1;
    cpu.avx2 = path >= 2 && HostSupportsAvx2();
    cpu.avx2Everywhere = path == 3;
    cpu.extendedMmx = capability;
    return cpu;
}

inline std::string PathName(int path) {
    const char* names[] = {"Reference", "Sse2", "Mixed", "Avx2"};
    return names[path];
}

// Picture of width x height with its own planes; output of pitch x lines x 2.
struct TestPicture {
    TestPicture(int width, int height, int outPitch) {
        picture.Resize(width, height, true);
        output.assign(size_t(outPitch) * height * 2 + 64, 0xEE);
        picture.output = output.data();
        picture.outputPitch = outPitch;
    }
    uint8_t& Y(int x, int y) { return picture.plane[0][size_t(y) * picture.width + x]; }
    uint8_t& UV(int byte, int line) {
        return picture.plane[1][size_t(line) * ((picture.width + 1) / 2 * 2) + byte];
    }
    uint8_t OutY(int x, int y) const { return output[size_t(y) * picture.outputPitch + x]; }
    // YV12 order: V plane, then U plane.
    uint8_t OutV(int x, int line) const {
        const size_t chromaPitch = size_t(picture.outputPitch + 1) / 2;
        return output[size_t(picture.outputPitch) * picture.height + line * chromaPitch + x];
    }
    uint8_t OutU(int x, int line) const {
        const size_t chromaPitch = size_t(picture.outputPitch + 1) / 2;
        const size_t v = size_t(picture.outputPitch) * picture.height;
        return output[v + chromaPitch * ((picture.height + 1) / 2) + line * chromaPitch + x];
    }
    void Fill(uint8_t y, uint8_t u, uint8_t v) {
        for (int r = 0; r < picture.height; ++r) {
            for (int x = 0; x < picture.width; ++x) Y(x, r) = y;
        }
        for (int r = 0; r < (picture.height + 1) / 2; ++r) {
            for (int b = 0; b < (picture.width + 1) / 2 * 2; b += 2) {
                UV(b, r) = u;
                UV(b + 1, r) = v;
            }
        }
    }

    CVRLNPicture picture;
    std::vector<uint8_t> output;
};

// Library-wide words back at rest after each test.
struct LibraryStateGuard {
    ~LibraryStateGuard() {
        SetDeinterlaceModeWord(0);
        SetProcessSizeOverride(0, 0);
        SetPackedOutputVariant(0);
        SetCurrentFrameSize(0, 0);
        PublishColourConstants(NeutralColourConstants());
    }
};
