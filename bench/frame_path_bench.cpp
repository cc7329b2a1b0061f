// The live-video frame path (OnTunerFrame through conversion, scaling and the
// copy to the screen) for 720 x 576 packed frames on virtual screens, beside
// libyuv (YUY2 to ARGB, then bilinear ARGBScale) and swscale (YUYV422 to BGRA
// or RGB565, fast bilinear) doing the same conversion and scaling.
#include <benchmark/benchmark.h>
#include <libyuv.h>
#include <unistd.h>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <random>
#include <vector>

#include "video/directplay/direct_play_api.h"
#include "video/directplay/tuner_binding.h"
#include "video/render/fb_device.h"
#include "video/render/overlay_record.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 576;

std::vector<uint8_t> RandomFrame() {
    std::vector<uint8_t> frame(size_t(kWidth) * kHeight * 2);
    std::mt19937 engine(7);
    for (auto& b : frame) b = uint8_t(engine());
    return frame;
}

const std::vector<uint8_t>& Frame() {
    static const std::vector<uint8_t> frame = RandomFrame();
    return frame;
}

// A tuner that reports a PAL frame and hands back the installed callback.
ZmpTunerFrameCallback g_callback = nullptr;
void* g_context = nullptr;

const TunerFunctions kTuner = {
    [] { return 1; },
    [](int* format, int* width, int* height) {
        *format = 1;
        *width = kWidth;
        *height = kHeight;
        return 0;
    },
    [](ZmpTunerFrameCallback fn, void* context, int) {
        g_callback = fn;
        g_context = context;
        return 0;
    },
    [](int) {
        g_callback = nullptr;
        return 0;
    },
};

void FramePath(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1)),
              depth = int(state.range(2));
    VirtualScreen screen(width, height, depth);
    InstallVirtualScreen(&screen);
    SetOverlayRecordKey(0x4D510000 + int(getpid() & 0xFFFF));
    InstallTunerFunctions(&kTuner);
    ZaqRect rect{0, 0, width - 1, height - 1};
    if (ZMP_DIRECTPLAY(nullptr, &rect) != 0 || g_callback == nullptr) {
        state.SkipWithError("direct play did not start");
        return;
    }
    auto* frame = const_cast<uint8_t*>(Frame().data());
    for (auto _ : state) {
        g_callback(g_context, frame);
        benchmark::ClobberMemory();
    }
    ZMP_STOPDIRECTPLAY();
    InstallTunerFunctions(nullptr);
    InstallVirtualScreen(nullptr);
    state.SetItemsProcessed(state.iterations());
}

void LibyuvAnchor(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    std::vector<uint8_t> argb(size_t(kWidth) * kHeight * 4), out(size_t(width) * height * 4);
    for (auto _ : state) {
        libyuv::YUY2ToARGB(Frame().data(), kWidth * 2, argb.data(), kWidth * 4, kWidth, kHeight);
        libyuv::ARGBScale(argb.data(), kWidth * 4, kWidth, kHeight, out.data(), width * 4, width,
                          height, libyuv::kFilterBilinear);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

struct SwsDeleter {
    void operator()(SwsContext* c) const { sws_freeContext(c); }
};

void SwscaleAnchor(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1)),
              depth = int(state.range(2));
    const AVPixelFormat format = depth == 16 ? AV_PIX_FMT_RGB565 : AV_PIX_FMT_BGRA;
    std::unique_ptr<SwsContext, SwsDeleter> context(
        sws_getContext(kWidth, kHeight, AV_PIX_FMT_YUYV422, width, height, format,
                       SWS_FAST_BILINEAR, nullptr, nullptr, nullptr));
    std::vector<uint8_t> out(size_t(width) * height * 4);
    const uint8_t* src[4] = {Frame().data(), nullptr, nullptr, nullptr};
    const int srcStride[4] = {kWidth * 2, 0, 0, 0};
    uint8_t* dst[4] = {out.data(), nullptr, nullptr, nullptr};
    const int dstStride[4] = {width * depth / 8, 0, 0, 0};
    for (auto _ : state) {
        sws_scale(context.get(), src, srcStride, 0, kHeight, dst, dstStride);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void Screens(benchmark::internal::Benchmark* b) {
    for (int depth : {32, 16}) {
        b->Args({1024, 768, depth});
        b->Args({800, 600, depth});
    }
    b->ArgNames({"w", "h", "bits"});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(FramePath)->Apply(Screens);
BENCHMARK(LibyuvAnchor)
    ->Args({1024, 768})
    ->Args({800, 600})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SwscaleAnchor)->Apply(Screens);

}  // namespace

BENCHMARK_MAIN();
