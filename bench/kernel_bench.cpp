// Every kernel kind on a 720 x 576 picture, beside the closest libyuv
// operations as anchors. Run with run_kernel_bench (bench/CMakeLists.txt).
// Each case reports its time over its anchor's as x_<anchor>, both timed side
// by side in this run; the scaled kind also over the plain planar kind
// (x_planar_A0), and each anchor over the same call on freshly allocated
// buffers (x_fresh), which shows a broken anchor as a ratio far from 1.
#include <benchmark/benchmark.h>
#include <libyuv.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "video/kernels/library_state.h"
#include "video/kernels/processor_scaled.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 576;
constexpr size_t kLuma = size_t(kWidth) * kHeight;

// One random planar source and a packed copy of it, and room for any output.
struct Frames {
    Frames() : output(kLuma * 4) {
        planar.Resize(kWidth, kHeight, true);
        packed.Resize(kWidth, kHeight * 2, true);  // plane 0 large enough for 4:2:2
        packed.Resize(kWidth, kHeight, false);
        packed.packed = 1;
        std::mt19937 engine(5);
        for (size_t i = 0; i < kLuma * 2; ++i) packed.plane[0][i] = uint8_t(engine());
        for (size_t i = 0; i < kLuma * 3 / 2; ++i) planar.plane[0][i] = uint8_t(engine());
        std::memcpy(planar.plane[1], planar.plane[0] + kLuma, kLuma / 2);
        for (CVRLNPicture* p : {&planar, &packed}) p->output = output.data();
    }
    CVRLNPicture planar;
    CVRLNPicture packed;
    bench::AlignedBuffer output;
};

Frames& Shared() {
    static Frames frames;
    return frames;
}

// An anchor call on buffers of its own: source and destination allocated
// apart from the kernels' frames and from each other.
struct Anchor {
    Anchor(size_t sourceBytes, size_t destBytes, uint32_t seed)
        : source(sourceBytes, seed), dest(destBytes) {}
    bench::AlignedBuffer source;
    bench::AlignedBuffer dest;
};

void NV12ToI420On(const uint8_t* src, uint8_t* dst) {
    libyuv::NV12ToI420(src, kWidth, src + kLuma, kWidth, dst, kWidth, dst + kLuma, kWidth / 2,
                       dst + kLuma * 5 / 4, kWidth / 2, kWidth, kHeight);
}

void I420ToYUY2On(const uint8_t* src, uint8_t* dst) {
    libyuv::I420ToYUY2(src, kWidth, src + kLuma, kWidth / 2, src + kLuma * 5 / 4, kWidth / 2, dst,
                       kWidth * 2, kWidth, kHeight);
}

void MemcpyOn(const uint8_t* src, uint8_t* dst) {
    std::memcpy(dst, src, kLuma * 2);
}

void CopyPlaneOn(const uint8_t* src, uint8_t* dst) {
    libyuv::CopyPlane(src, kWidth * 2, dst, kWidth * 2, kWidth * 2, kHeight);
}

// A colour matrix over as many bytes as a 4:2:0 frame has (360 x 432 ARGB).
void ColorMatrixOn(const uint8_t* src, uint8_t* dst) {
    static const int8_t kMatrix[16] = {70, 10, 5, 0, 10, 70, 5, 0, 5, 10, 70, 0, 0, 0, 0, 64};
    libyuv::ARGBColorMatrix(src, 360 * 4, dst, 360 * 4, kMatrix, 360, 432);
}

using AnchorCall = void (*)(const uint8_t*, uint8_t*);

struct AnchorKind {
    const char* name;
    AnchorCall call;
    size_t sourceBytes;
    size_t destBytes;
};

const AnchorKind kNV12ToI420{"NV12ToI420", NV12ToI420On, kLuma * 3 / 2, kLuma * 3 / 2};
const AnchorKind kI420ToYUY2{"I420ToYUY2", I420ToYUY2On, kLuma * 3 / 2, kLuma * 2};
const AnchorKind kMemcpy{"memcpy", MemcpyOn, kLuma * 2, kLuma * 2};
const AnchorKind kCopyPlane{"CopyPlane", CopyPlaneOn, kLuma * 2, kLuma * 2};
const AnchorKind kColorMatrix{"ARGBColorMatrix", ColorMatrixOn, kLuma * 3 / 2, kLuma * 3 / 2};

// One set of buffers per anchor kind for the whole run.
Anchor& BuffersOf(const AnchorKind& kind) {
    static std::vector<std::pair<const AnchorKind*, std::unique_ptr<Anchor>>> all;
    for (auto& entry : all)
        if (entry.first == &kind) return *entry.second;
    all.emplace_back(&kind, std::make_unique<Anchor>(kind.sourceBytes, kind.destBytes, 11));
    return *all.back().second;
}

// The case's own call beside the anchor, as the counter "x_<anchor>".
template <class Call>
void ReportRatio(benchmark::State& state, const AnchorKind& kind, Call&& call) {
    Anchor& a = BuffersOf(kind);
    const double ratio =
        bench::MedianRatio(call, [&] { kind.call(a.source.data(), a.dest.data()); });
    state.counters[std::string("x_") + kind.name] = ratio;
}

// What a kernel run is set up with: colour record, deinterlace word, method.
struct Setting {
    const char* name;
    CVRLNColourRecord colours;
    uint32_t deinterlaceWord;
    int method;
    int structure;
};

const CVRLNColourRecord kNeutral{};
const CVRLNColourRecord kGain{4, 6, 0, -3, 0, 2, -2};
const CVRLNColourRecord kHue{4, 6, 9, -3, 3, 2, -2};

// The paths the machine gets (SSE2, with AVX2 for colour mode 2), or every
// member from the AVX2 table to weigh it.
KernelCpu BenchCpu(bool wide) {
    KernelCpu cpu = DetectKernelCpu();
    cpu.avx2Everywhere = wide;
    return cpu;
}

template <class Processor>
void RunProcessor(benchmark::State& state, const Setting& s, bool packedSource, int outBytes,
                  bool wide = false) {
    Frames& f = Shared();
    Processor processor{BenchCpu(wide)};
    processor.SetColourControls(&s.colours);
    processor.SetParameter(kParamDeinterlaceMethod, s.method);
    SetDeinterlaceModeWord(s.deinterlaceWord);
    CVRLNPicture& picture = packedSource ? f.packed : f.planar;
    picture.outputPitch = kWidth * outBytes;
    picture.pictureStructure = s.structure;
    for (auto _ : state) {
        processor.Process(&picture, 0);
        benchmark::ClobberMemory();
    }
    ReportRatio(state, packedSource || outBytes == 2 ? kI420ToYUY2 : kNV12ToI420,
                [&] { processor.Process(&picture, 0); });
    SetDeinterlaceModeWord(0);
    state.SetLabel(processor.LastKernel());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kLuma) * 3 / 2);
}

const Setting kPlanarSettings[] = {
    {"A0", kNeutral, 0, 0, 0},       {"A1", kGain, 0, 0, 0},       {"A2", kHue, 0, 0, 0},
    {"A0-x", kNeutral, 0x402, 2, 0}, {"A1-x", kGain, 0x402, 2, 0}, {"A2-x", kHue, 0x402, 2, 0},
    {"A0-3", kNeutral, 0x402, 3, 0}, {"A1-3", kGain, 0x402, 3, 0}, {"A2-3", kHue, 0x402, 3, 0},
};

const Setting kPackedSettings[] = {
    {"B0", kNeutral, 0, 0, 0},        {"B1", kGain, 0, 0, 0},        {"B2", kHue, 0, 0, 0},
    {"B0-x", kNeutral, 0x402, 2, 0},  {"B1-x", kGain, 0x402, 2, 0},  {"B2-x", kHue, 0x402, 2, 0},
    {"B0-3", kNeutral, 0x402, 3, 0},  {"B1-3", kGain, 0x402, 3, 0},  {"B2-3", kHue, 0x402, 3, 0},
    {"B0-3f", kNeutral, 0x402, 3, 3}, {"B1-3f", kGain, 0x402, 3, 3}, {"B2-3f", kHue, 0x402, 3, 3},
};

// The d kernels run only without the capability bit.
template <class Processor>
void RunHalved(benchmark::State& state, const CVRLNColourRecord& colours, int outBytes,
               bool wide = false) {
    Frames& f = Shared();
    KernelCpu cpu = BenchCpu(wide);
    cpu.extendedMmx = false;
    Processor processor{cpu};
    processor.SetColourControls(&colours);
    SetDeinterlaceModeWord(0x402);
    f.planar.outputPitch = kWidth * outBytes;
    for (auto _ : state) {
        processor.Process(&f.planar, 0);
        benchmark::ClobberMemory();
    }
    ReportRatio(state, outBytes == 2 ? kI420ToYUY2 : kNV12ToI420,
                [&] { processor.Process(&f.planar, 0); });
    SetDeinterlaceModeWord(0);
    state.SetLabel(processor.LastKernel());
}

void PackedCopyThrough(benchmark::State& state) {
    Frames& f = Shared();
    CVRLNProcessorYUY2 processor{DetectKernelCpu()};
    f.packed.outputPitch = kWidth * 2;
    for (auto _ : state) {
        processor.Process(&f.packed, 0);
        benchmark::ClobberMemory();
    }
    ReportRatio(state, kMemcpy, [&] { processor.Process(&f.packed, 0); });
    ReportRatio(state, kCopyPlane, [&] { processor.Process(&f.packed, 0); });
}

void BasicKind(benchmark::State& state, uint32_t word) {
    Frames& f = Shared();
    CVRLNProcessorYV12Basic processor{DetectKernelCpu()};
    SetDeinterlaceModeWord(word);
    f.planar.outputPitch = kWidth;
    for (auto _ : state) {
        processor.Process(&f.planar, 0);
        benchmark::ClobberMemory();
    }
    ReportRatio(state, kNV12ToI420, [&] { processor.Process(&f.planar, 0); });
    SetDeinterlaceModeWord(0);
    state.SetLabel(processor.LastKernel());
}

// The plain planar kind (colour mode 0, no deinterlacing) on its own frame.
struct PlanarTwin {
    PlanarTwin() : processor(DetectKernelCpu()), output(kLuma * 2) {
        picture.Resize(kWidth, kHeight, true);
        std::mt19937 engine(9);
        for (size_t i = 0; i < kLuma * 3 / 2; ++i) picture.plane[0][i] = uint8_t(engine());
        std::memcpy(picture.plane[1], picture.plane[0] + kLuma, kLuma / 2);
        picture.output = output.data();
        picture.outputPitch = kWidth;
        processor.SetColourControls(&kNeutral);
    }
    void Run() {
        const uint32_t word = DeinterlaceModeWord();
        SetDeinterlaceModeWord(0);
        processor.Process(&picture, 0);
        SetDeinterlaceModeWord(word);
    }
    CVRLNProcessorYV12 processor;
    CVRLNPicture picture;
    bench::AlignedBuffer output;
};

void ScaledKind(benchmark::State& state, bool reduce, uint32_t word) {
    Frames& f = Shared();
    CVRLNProcessorScaled processor{DetectKernelCpu()};
    SetCurrentFrameSize(kWidth, kHeight);
    if (reduce) {
        processor.SetOutputWidth(kWidth / 2, 1000);
        processor.SetOutputHeight(kHeight / 2, 1000);
    }
    SetDeinterlaceModeWord(word);
    f.planar.outputPitch = kWidth * 2;
    for (auto _ : state) {
        processor.Process(&f.planar, 0);
        benchmark::ClobberMemory();
    }
    // The plain planar kind on a picture of its own, so the two never share lines.
    static PlanarTwin twin;
    state.counters["x_planar_A0"] =
        bench::MedianRatio([&] { processor.Process(&f.planar, 0); }, [&] { twin.Run(); });
    ReportRatio(state, kNV12ToI420, [&] { processor.Process(&f.planar, 0); });
    SetDeinterlaceModeWord(0);
    state.SetLabel(processor.LastKernel());
}

// Anchors, each on its own buffers; beside each, the same call on buffers
// allocated the plain way just now, which shows a broken layout as a ratio
// far from 1.
void RunAnchor(benchmark::State& state, const AnchorKind& kind) {
    Anchor& a = BuffersOf(kind);
    for (auto _ : state) {
        kind.call(a.source.data(), a.dest.data());
        benchmark::ClobberMemory();
    }
    std::vector<uint8_t> source(a.source.data(), a.source.data() + a.source.size());
    std::vector<uint8_t> dest(a.dest.size());
    state.counters["x_fresh"] =
        bench::MedianRatio([&] { kind.call(a.source.data(), a.dest.data()); },
                           [&] { kind.call(source.data(), dest.data()); });
}

void Register() {
    for (const AnchorKind* kind :
         {&kNV12ToI420, &kI420ToYUY2, &kMemcpy, &kCopyPlane, &kColorMatrix})
        benchmark::RegisterBenchmark((std::string("anchor/") + kind->name).c_str(),
                                     [kind](benchmark::State& st) { RunAnchor(st, *kind); });
    for (const Setting& s : kPlanarSettings) {
        benchmark::RegisterBenchmark(
            (std::string("yv12/") + s.name).c_str(),
            [&s](benchmark::State& st) { RunProcessor<CVRLNProcessorYV12>(st, s, false, 1); });
    }
    for (const Setting& s : kPlanarSettings) {
        benchmark::RegisterBenchmark((std::string("yv12_avx2/") + s.name).c_str(),
                                     [&s](benchmark::State& st) {
                                         RunProcessor<CVRLNProcessorYV12>(st, s, false, 1, true);
                                     });
    }
    benchmark::RegisterBenchmark("yv12_avx2/A0-d", [](benchmark::State& st) {
        RunHalved<CVRLNProcessorYV12>(st, kNeutral, 1, true);
    });
    benchmark::RegisterBenchmark("yv12_avx2/A1-d", [](benchmark::State& st) {
        RunHalved<CVRLNProcessorYV12>(st, kGain, 1, true);
    });
    for (const Setting& p : kPackedSettings) {
        benchmark::RegisterBenchmark((std::string("yuy2_avx2/") + p.name).c_str(),
                                     [&p](benchmark::State& st) {
                                         RunProcessor<CVRLNProcessorYUY2>(st, p, false, 2, true);
                                     });
    }
    benchmark::RegisterBenchmark(
        "yv12/A0-d", [](benchmark::State& st) { RunHalved<CVRLNProcessorYV12>(st, kNeutral, 1); });
    benchmark::RegisterBenchmark(
        "yv12/A1-d", [](benchmark::State& st) { RunHalved<CVRLNProcessorYV12>(st, kGain, 1); });
    for (const Setting& s : kPackedSettings) {
        benchmark::RegisterBenchmark(
            (std::string("yuy2/") + s.name).c_str(),
            [&s](benchmark::State& st) { RunProcessor<CVRLNProcessorYUY2>(st, s, false, 2); });
    }
    benchmark::RegisterBenchmark(
        "yuy2/B0-d", [](benchmark::State& st) { RunHalved<CVRLNProcessorYUY2>(st, kNeutral, 2); });
    benchmark::RegisterBenchmark("yuy2_avx2/B0-d", [](benchmark::State& st) {
        RunHalved<CVRLNProcessorYUY2>(st, kNeutral, 2, true);
    });
    benchmark::RegisterBenchmark("yuy2/B0v", [](benchmark::State& st) {
        SetPackedOutputVariant(1);
        RunProcessor<CVRLNProcessorYUY2>(st, kPackedSettings[0], false, 2);
        SetPackedOutputVariant(0);
    });
    benchmark::RegisterBenchmark("yuy2/copy_through", PackedCopyThrough);
    benchmark::RegisterBenchmark("basic/convert", [](benchmark::State& st) { BasicKind(st, 0); });
    benchmark::RegisterBenchmark("basic/deinterlace",
                                 [](benchmark::State& st) { BasicKind(st, 0x402); });
    benchmark::RegisterBenchmark("scaled/plain",
                                 [](benchmark::State& st) { ScaledKind(st, false, 0); });
    benchmark::RegisterBenchmark("scaled/deinterlace",
                                 [](benchmark::State& st) { ScaledKind(st, false, 0x402); });
    benchmark::RegisterBenchmark("scaled/half_size",
                                 [](benchmark::State& st) { ScaledKind(st, true, 0); });
}

}  // namespace

int main(int argc, char** argv) {
    Register();
    bench::AddSimdContext();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
