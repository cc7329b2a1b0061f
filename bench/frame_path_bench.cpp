// The live-video frame path (OnTunerFrame through conversion, scaling and the
// copy to the screen) for 720 x 576 packed frames on virtual screens, beside
// libyuv (YUY2 to ARGB, then bilinear ARGBScale) and swscale (YUYV422 to BGRA
// or RGB565, fast bilinear) doing the same conversion and scaling. Each frame
// path case reports its time over each anchor's (x_libyuv, x_swscale), timed
// side by side in this process; the frame-buffer renderer's Flip with a
// sub-picture present reports its time over the same Flip without one.
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

#include "bench/bench_support.h"
#include "video/directplay/direct_play_api.h"
#include "video/directplay/tuner_binding.h"
#include "video/render/fb_device.h"
#include "video/render/frame_buffer.h"
#include "video/render/overlay_record.h"
#include "video/render/picture.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 576;

const bench::AlignedBuffer& Frame() {
    static const bench::AlignedBuffer frame(size_t(kWidth) * kHeight * 2, 7);
    return frame;
}

// libyuv's two steps on buffers of their own.
class LibyuvSteps {
  public:
    LibyuvSteps(int width, int height)
        : width_(width),
          height_(height),
          source_(size_t(kWidth) * kHeight * 2, 7),
          argb_(size_t(kWidth) * kHeight * 4),
          out_(size_t(width) * height * 4) {}
    void Run() {
        libyuv::YUY2ToARGB(source_.data(), kWidth * 2, argb_.data(), kWidth * 4, kWidth, kHeight);
        libyuv::ARGBScale(argb_.data(), kWidth * 4, kWidth, kHeight, out_.data(), width_ * 4,
                          width_, height_, libyuv::kFilterBilinear);
    }

  private:
    int width_, height_;
    bench::AlignedBuffer source_, argb_, out_;
};

struct SwsDeleter {
    void operator()(SwsContext* c) const { sws_freeContext(c); }
};

// swscale's fast bilinear conversion and scaling, likewise.
class SwscaleSteps {
  public:
    SwscaleSteps(int width, int height, int depth)
        : source_(size_t(kWidth) * kHeight * 2, 7), out_(size_t(width) * height * 4) {
        const AVPixelFormat format = depth == 16 ? AV_PIX_FMT_RGB565 : AV_PIX_FMT_BGRA;
        context_.reset(sws_getContext(kWidth, kHeight, AV_PIX_FMT_YUYV422, width, height, format,
                                      SWS_FAST_BILINEAR, nullptr, nullptr, nullptr));
        dstStride_[0] = width * depth / 8;
    }
    void Run() {
        const uint8_t* src[4] = {source_.data(), nullptr, nullptr, nullptr};
        const int srcStride[4] = {kWidth * 2, 0, 0, 0};
        uint8_t* dst[4] = {out_.data(), nullptr, nullptr, nullptr};
        sws_scale(context_.get(), src, srcStride, 0, kHeight, dst, dstStride_);
    }

  private:
    bench::AlignedBuffer source_, out_;
    std::unique_ptr<SwsContext, SwsDeleter> context_;
    int dstStride_[4] = {0, 0, 0, 0};
};

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
    uint8_t* frame = Frame().data();
    for (auto _ : state) {
        g_callback(g_context, frame);
        benchmark::ClobberMemory();
    }
    LibyuvSteps libyuv(width, height);
    SwscaleSteps swscale(width, height, depth);
    const auto path = [&] { g_callback(g_context, frame); };
    state.counters["x_libyuv"] = bench::MedianRatio(path, [&] { libyuv.Run(); });
    state.counters["x_swscale"] = bench::MedianRatio(path, [&] { swscale.Run(); });
    ZMP_STOPDIRECTPLAY();
    InstallTunerFunctions(nullptr);
    InstallVirtualScreen(nullptr);
    state.SetItemsProcessed(state.iterations());
}

void LibyuvAnchor(benchmark::State& state) {
    LibyuvSteps steps(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        steps.Run();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void SwscaleAnchor(benchmark::State& state) {
    SwscaleSteps steps(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    for (auto _ : state) {
        steps.Run();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

// A subtitle-like sub-picture: the lowest 96 lines of the frame, opaque and
// half-transparent text-coloured pixels on a transparent ground.
struct Subtitle {
    Subtitle() : pixels(size_t(kWidth) * 96) {
        std::mt19937 engine(3);
        for (uint8_t& p : pixels) {
            const uint32_t r = engine() % 8;
            p = r < 5 ? 0x00 : (r < 7 ? 0xF1 : 0x82);
        }
        sub.pixels = pixels.data();
        sub.pitch = kWidth;
        sub.y = kHeight - 96;
        sub.width = kWidth;
        sub.height = 96;
        sub.serial = 1;
        sub.palette[1][0] = 235;
        sub.palette[1][1] = sub.palette[1][2] = 128;
        sub.palette[2][0] = 16;
        sub.palette[2][1] = sub.palette[2][2] = 128;
    }
    std::vector<uint8_t> pixels;
    CVRLNSubpicture sub{};
};

// The frame-buffer renderer on its own screen, showing the packed frame.
class Renderer {
  public:
    Renderer(int width, int height, int depth, const CVRLNSubpicture* sub)
        : screen_(width, height, depth) {
        InstallVirtualScreen(&screen_);
        opened_ = renderer_.Open() == 0;
        InstallVirtualScreen(nullptr);
        picture_.plane[0] = Frame().data();
        picture_.planeSize = uint32_t(kWidth * kHeight);
        picture_.width = kWidth;
        picture_.height = kHeight;
        picture_.packed = 1;
        picture_.subpicture = sub;
    }
    ~Renderer() {
        renderer_.Close();
        picture_.plane[0] = nullptr;  // borrowed
    }
    bool Opened() const { return opened_; }
    void Flip() { renderer_.Flip(&picture_); }

  private:
    VirtualScreen screen_;
    CVRLNFrameBuffer renderer_;
    CVRLNPicture picture_;
    bool opened_ = false;
};

void FlipWithSubpicture(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1)),
              depth = int(state.range(2));
    SetOverlayRecordKey(0x4D520000 + int(getpid() & 0xFFFF));
    static const Subtitle subtitle;
    Renderer with(width, height, depth, &subtitle.sub);
    Renderer without(width, height, depth, nullptr);
    if (!with.Opened() || !without.Opened()) {
        state.SkipWithError("the frame-buffer renderer did not open");
        return;
    }
    for (auto _ : state) {
        with.Flip();
        benchmark::ClobberMemory();
    }
    state.counters["x_no_overlay"] =
        bench::MedianRatio([&] { with.Flip(); }, [&] { without.Flip(); });
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
BENCHMARK(FlipWithSubpicture)->Apply(Screens);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::AddSimdContext();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
