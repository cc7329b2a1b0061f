// The ATI renderer's packed-to-planar conversion on a 720 x 576 frame, each
// code path beside libyuv's YUY2ToI420 (which averages the chroma of each
// line pair; ours copies it, so it should be no slower). Registered into the
// kernel benchmarks; run with run_kernel_bench.
#include <benchmark/benchmark.h>
#include <libyuv.h>

#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "video/render/ati/packed_planar.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 576;

struct PackedFrames {
    bench::AlignedBuffer packed{size_t(kWidth) * kHeight * 2, 14};
    bench::AlignedBuffer planar{size_t(kWidth) * kHeight * 3 / 2};
};

PackedFrames& Frames() {
    static PackedFrames frames;
    return frames;
}

// libyuv's YUY2ToI420 on buffers of its own.
void Yuy2ToI420On(const uint8_t* packed, uint8_t* planar) {
    uint8_t* u = planar + kWidth * kHeight;
    uint8_t* v = u + kWidth * kHeight / 4;
    libyuv::YUY2ToI420(packed, kWidth * 2, planar, kWidth, u, kWidth / 2, v, kWidth / 2, kWidth,
                       kHeight);
}

struct AnchorBuffers {
    bench::AlignedBuffer packed{size_t(kWidth) * kHeight * 2, 14};
    bench::AlignedBuffer planar{size_t(kWidth) * kHeight * 3 / 2};
};

void Convert(benchmark::State& state, const KernelCpu& cpu) {
    PackedFrames& f = Frames();
    const CVRLNPackedToPlanar converter(kWidth, kHeight, cpu);
    state.SetLabel(converter.PathName());
    for (auto _ : state) {
        converter.Convert(f.packed.data(), f.planar.data());
        benchmark::ClobberMemory();
    }
    static AnchorBuffers anchor;
    state.counters["x_YUY2ToI420"] =
        bench::MedianRatio([&] { converter.Convert(f.packed.data(), f.planar.data()); },
                           [&] { Yuy2ToI420On(anchor.packed.data(), anchor.planar.data()); });
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
    static AnchorBuffers a;
    for (auto _ : state) {
        Yuy2ToI420On(a.packed.data(), a.planar.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(a.packed.size()));
}
BENCHMARK(LibyuvYuy2ToI420);

}  // namespace
