// The live view's work for one frame at 100 x 40 cells: read the 640 x 480 screen
// file, sample it into half blocks and compose the frame. The view draws every
// 66 ms, so this must stay far below that for 10 frames a second and more.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "apps/half_blocks.h"
#include "apps/live_screen.h"
#include "apps/picture_source.h"

namespace {

// A screen file of colour bars with noise, as live TV leaves it.
class NoisyScreen {
  public:
    NoisyScreen() {
        char path[] = "/tmp/live_view_bench_XXXXXX";
        const int fd = mkstemp(path);
        if (fd >= 0) close(fd);
        screen_.path = path;
        std::vector<uint8_t> pixels(size_t(screen_.LineLength()) * screen_.height);
        std::mt19937 random(7);
        for (size_t i = 0; i < pixels.size(); i += 4) {
            const int bar = int((i / 4) % size_t(screen_.width)) * 8 / screen_.width;
            const int noise = int(random() % 16);
            pixels[i] = uint8_t((bar & 1) ? 180 + noise : noise);
            pixels[i + 1] = uint8_t((bar & 2) ? 180 + noise : noise);
            pixels[i + 2] = uint8_t((bar & 4) ? 180 + noise : noise);
        }
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size()));
    }
    ~NoisyScreen() { unlink(screen_.path.c_str()); }
    const livepreview::ScreenFile& Screen() const { return screen_; }

  private:
    livepreview::ScreenFile screen_;
};

void LiveFrame(benchmark::State& state, host::ColourDepth depth) {
    NoisyScreen screen;
    const auto source = host::MakeScreenPictureSource(screen.Screen());
    host::RgbPicture picture;
    size_t bytes = 0;
    for (auto _ : state) {
        source->Take(&picture);
        const host::TerminalSize fit =
            host::FitPicture({100, 40}, 3, picture.width, picture.height);
        auto lines = host::HalfBlockLines(picture, fit.columns, fit.rows, depth);
        lines.push_back("channel 5 | volume 12 | mute off | sound stereo | menu closed");
        const std::string frame = host::ComposeFrame(lines);
        bytes = frame.size();
        benchmark::DoNotOptimize(frame.data());
    }
    state.counters["frame_bytes"] = double(bytes);
}

void BM_LiveFrameTrueColour(benchmark::State& state) {
    LiveFrame(state, host::ColourDepth::kTrueColour);
}
void BM_LiveFrame256Colours(benchmark::State& state) {
    LiveFrame(state, host::ColourDepth::k256);
}
BENCHMARK(BM_LiveFrameTrueColour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveFrame256Colours)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
