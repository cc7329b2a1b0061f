// The ATI renderer's packed-to-planar conversion on a 720 x 576 frame, each
// code path beside libyuv's YUY2ToI420 (which averages the chroma of each
// line pair; ours copies it, so it should be no slower). Registered into the
// kernel benchmarks; run with run_kernel_bench.
#include <benchmark/benchmark.h>
#include <libyuv.h>

#include <random>
#include <vector>

#include "video/render/ati/packed_planar.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 576;

struct PackedFrames {
    PackedFrames()
        : packed(size_t(kWidth) * kHeight * 2), planar(size_t(kWidth) * kHeight * 3 / 2) {
        std::mt19937 engine(14);
        for (uint8_t& b : packed) b = uint8_t(engine());
    }
    std::vector<uint8_t> packed;
    std::vector<uint8_t> planar;
};

PackedFrames& Frames() {
    static PackedFrames frames;
    return frames;
}

void Convert(benchmark::State& state, const KernelCpu& cpu) {
    PackedFrames& f = Frames();
    const CVRLNPackedToPlanar converter(kWidth, kHeight, cpu);
    state.SetLabel(converter.PathName());
    for (auto _ : state) {
        converter.Convert(f.packed.data(), f.planar.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.packed.size()));
}

KernelCpu Only(bool sse2, bool avx2) {
    KernelCpu cpu;
    cpu.sse2 = sse2;
    cpu.avx2 = avx2;
    return cpu;
}

void PackedToPlanarReference(benchmark::State& state) {
    Convert(state, Only(false, false));
}
BENCHMARK(PackedToPlanarReference);

void PackedToPlanarSse2(benchmark::State& state) {
    if (Sse2PackedToPlanarRows() == nullptr) state.SkipWithError("no SSE2 path here");
    Convert(state, Only(true, false));
}
BENCHMARK(PackedToPlanarSse2);

void PackedToPlanarAvx2(benchmark::State& state) {
    if (Avx2PackedToPlanarRows() == nullptr) state.SkipWithError("no AVX2 path here");
    Convert(state, Only(true, true));
}
BENCHMARK(PackedToPlanarAvx2);

// The path the renderer takes on this machine.
void PackedToPlanarChosen(benchmark::State& state) {
    Convert(state, DetectKernelCpu());
}
BENCHMARK(PackedToPlanarChosen);

void LibyuvYuy2ToI420(benchmark::State& state) {
    PackedFrames& f = Frames();
    uint8_t* y = f.planar.data();
    uint8_t* u = y + kWidth * kHeight;
    uint8_t* v = u + kWidth * kHeight / 4;
    for (auto _ : state) {
        libyuv::YUY2ToI420(f.packed.data(), kWidth * 2, y, kWidth, u, kWidth / 2, v, kWidth / 2,
                           kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.packed.size()));
}
BENCHMARK(LibyuvYuy2ToI420);

}  // namespace
