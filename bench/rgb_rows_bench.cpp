// The frame-buffer converter's line routines, one line at a time, for the
// 720-pixel packed source and a 1024-pixel screen line: where a frame's time
// goes, per code path. Each case is one routine on one line in cache.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "video/render/rgb_rows.h"

namespace {

constexpr int kSourceWidth = 720;
constexpr int kScreenWidth = 1024;

struct Lines {
    Lines()
        : packed(kSourceWidth * 2 + kRowPadding, 3),
          y(kScreenWidth + kRowPadding, 5),
          y2(kScreenWidth + kRowPadding, 6),
          u(kScreenWidth / 2 + kRowPadding, 7),
          v(kScreenWidth / 2 + kRowPadding, 8),
          out(kScreenWidth * 4 + kRowPadding),
          lumaPlan(BuildScalePlan(kSourceWidth, kScreenWidth,
                                  HorizontalStep(kSourceWidth, kScreenWidth, 1000))) {}
    bench::AlignedBuffer packed, y, y2, u, v, out;
    ScalePlan lumaPlan;
};

void Split(benchmark::State& state, const RgbRows* rows) {
    Lines l;
    for (auto _ : state) {
        rows->splitPacked(l.packed.data(), l.packed.data(), kSourceWidth, l.y.data(), l.u.data(),
                          l.v.data());
        benchmark::ClobberMemory();
    }
}

void ScaleLuma(benchmark::State& state, const RgbRows* rows) {
    Lines l;
    for (auto _ : state) {
        rows->scale(l.y.data(), l.lumaPlan, l.out.data());
        benchmark::ClobberMemory();
    }
}

void Average(benchmark::State& state, const RgbRows* rows) {
    Lines l;
    for (auto _ : state) {
        rows->average(l.y.data(), l.y2.data(), kScreenWidth, l.out.data());
        benchmark::ClobberMemory();
    }
}

void Convert(benchmark::State& state, const RgbRows* rows, int depth) {
    Lines l;
    for (auto _ : state) {
        rows->convert[depth](l.y.data(), l.u.data(), l.v.data(), kScreenWidth, l.out.data());
        benchmark::ClobberMemory();
    }
}

void ConvertAverage(benchmark::State& state, const RgbRows* rows, int depth) {
    Lines l;
    const YuvRow a{l.y.data(), l.u.data(), l.v.data()};
    const YuvRow b{l.y2.data(), l.v.data(), l.u.data()};
    for (auto _ : state) {
        rows->convertAverage[depth](a, b, kScreenWidth, l.out.data());
        benchmark::ClobberMemory();
    }
}

void Register() {
    const std::vector<const RgbRows*> paths = {&ReferenceRgbRows(), Ssse3RgbRows(), Avx2RgbRows(),
                                               Avx512RgbRows()};
    for (const RgbRows* rows : paths) {
        if (rows == nullptr) continue;
        const std::string name = rows->name;
        benchmark::RegisterBenchmark((name + "/split_720").c_str(), Split, rows);
        benchmark::RegisterBenchmark((name + "/scale_720_1024").c_str(), ScaleLuma, rows);
        benchmark::RegisterBenchmark((name + "/average_1024").c_str(), Average, rows);
        benchmark::RegisterBenchmark((name + "/convert32_1024").c_str(), Convert, rows, kRgb32);
        benchmark::RegisterBenchmark((name + "/convert16_1024").c_str(), Convert, rows, kRgb16);
        benchmark::RegisterBenchmark((name + "/convert_average32_1024").c_str(), ConvertAverage,
                                     rows, kRgb32);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::AddSimdContext();
    Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
