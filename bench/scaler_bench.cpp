// The aspect-fitting scaler on the NVIDIA zoom: a 640 x 480 packed picture
// fitted at 16:9 into the 720 x 480 box (720 x 404, nearest neighbour), on
// the fastest path and on the reference, beside memcpy of the box and beside
// the 4:3 case, which is a plain copy of the lines. The ratio that matters is
// the zoom's median beside the box copy's (aim: at most 2).
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "video/render/scaler/scaler.h"

namespace {

constexpr int kBoxWidth = 720, kBoxHeight = 480;
constexpr int kSourceWidth = 640, kSourceHeight = 480;

struct Pictures {
    Pictures()
        : source(size_t(kSourceWidth) * kSourceHeight * 2),
          box(size_t(kBoxWidth) * kBoxHeight * 2),
          copy(box.size()) {
        std::mt19937 engine(7);
        for (uint8_t& b : source) b = uint8_t(engine());
        for (uint8_t& b : copy) b = uint8_t(engine());
    }
    std::vector<uint8_t> source;
    std::vector<uint8_t> box;
    std::vector<uint8_t> copy;
};

Pictures& Shared() {
    static Pictures p;
    return p;
}

void Zoom(benchmark::State& state, const ScalerRoutines& routines, float aspect) {
    Pictures& p = Shared();
    CVRLNScaler scaler(routines);
    if (scaler.Configure(kScalerPacked422, kScalerNearest, aspect, kBoxWidth, kBoxHeight,
                         kSourceWidth, kSourceHeight) != 0) {
        state.SkipWithError("refused");
        return;
    }
    for (auto _ : state) {
        // As the renderer does for every frame: the repeat costs nothing.
        scaler.Configure(kScalerPacked422, kScalerNearest, aspect, kBoxWidth, kBoxHeight,
                         kSourceWidth, kSourceHeight);
        scaler.Scale(p.box.data(), p.source.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.box.size()));
}

void BM_BoxCopy(benchmark::State& state) {
    Pictures& p = Shared();
    for (auto _ : state) {
        std::memcpy(p.box.data(), p.copy.data(), p.box.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.box.size()));
}

void BM_Zoom16x9Fast(benchmark::State& state) {
    Zoom(state, DefaultScalerRoutines(), 16.0f / 9.0f);
    state.SetLabel(DefaultScalerRoutines().name);
}

void BM_Zoom16x9Ssse3(benchmark::State& state) {
    if (Ssse3ScalerRoutines() == nullptr) return state.SkipWithError("no SSSE3");
    Zoom(state, *Ssse3ScalerRoutines(), 16.0f / 9.0f);
}

void BM_Zoom16x9Reference(benchmark::State& state) {
    Zoom(state, ReferenceScalerRoutines(), 16.0f / 9.0f);
}

void BM_Zoom4x3PlainCopy(benchmark::State& state) {
    Zoom(state, DefaultScalerRoutines(), 4.0f / 3.0f);
}

}  // namespace

BENCHMARK(BM_BoxCopy);
BENCHMARK(BM_Zoom16x9Fast);
BENCHMARK(BM_Zoom16x9Ssse3);
BENCHMARK(BM_Zoom16x9Reference);
BENCHMARK(BM_Zoom4x3PlainCopy);

BENCHMARK_MAIN();
