// 100,000 frames through direct play on the simulated tuner service, with the
// process's resident memory read after a warm-up, halfway and at the end, and
// its thread count at the start and the end: both must stay flat however long
// live video runs. Run (Release build):
//   cmake --build BUILD --target run_direct_play_soak
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"
#include "video/directplay/direct_play_api.h"

namespace {

constexpr int kWarmUpFrames = 1000;

// A field of /proc/self/status ("VmRSS", "Threads"), as a number.
long StatusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size() + 1, name + ":") == 0)
            return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

// A tuned station shown on a file-backed 720 x 576 screen, frames delivered on demand.
class LiveVideo {
  public:
    LiveVideo() {
        char screen[] = "/tmp/direct_play_soak_XXXXXX";
        const int fd = mkstemp(screen);
        if (fd >= 0) close(fd);
        screen_ = screen;
        setenv("MIROVA_FBDEV", screen_.c_str(), 1);
        setenv("MIROVA_FBGEOMETRY", "720x576x32", 1);
        setenv("MIROVA_PCI_ROOT", "/nonexistent", 1);
        sim_tuner_reset();
        sim_tuner_set_event_interval(0);
        sim_tuner_set_manual_clock(1);
        ZAQ_Init(&handle_);
        ZAQ_OpenTuner(handle_, ZAQ_MODE_TV);
        for (int slot = 0; slot < 200; ++slot) {
            SimTvStationInfo info{};
            if (sim_tuner_tv_station(slot, &info) == 0 && info.hasStation) {
                ZAQ_SelectChannel(handle_, slot, info.bestOffset);
                break;
            }
        }
        ZaqRect rect{0, 0, 719, 575};
        started_ = ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect) == 0;
    }
    ~LiveVideo() {
        ZAQ_DirectPlayStop(handle_);
        // Also what keeps libmirova linked: the tuner service finds direct play
        // among the loaded libraries, and nothing else here names it.
        ZMP_STOPDIRECTPLAY();
        ZAQ_CloseTuner(handle_);
        ZAQ_Release(handle_);
        sim_tuner_reset();
        unlink(screen_.c_str());
    }
    bool Started() const { return started_; }

  private:
    std::string screen_;
    int handle_ = 0;
    bool started_ = false;
};

void BM_DirectPlayFrames(benchmark::State& state) {
    LiveVideo live;
    if (!live.Started()) {
        state.SkipWithError("direct play did not start");
        return;
    }
    sim_tuner_deliver_frames(kWarmUpFrames);
    const long rssStart = StatusField("VmRSS");
    const long threadsStart = StatusField("Threads");
    long delivered = 0;
    long rssHalf = -1;
    // Read halfway too: one-time growth (first touches of the screen and heap)
    // shows between start and half, a leak between half and end as well.
    const long half = long(state.max_iterations / 2);
    for (auto _ : state) {
        delivered += sim_tuner_deliver_frames(1);
        if (delivered == half) rssHalf = StatusField("VmRSS");
    }
    state.counters["frames"] = double(delivered);
    state.counters["rss_start_kB"] = double(rssStart);
    state.counters["rss_half_kB"] = double(rssHalf);
    state.counters["rss_end_kB"] = double(StatusField("VmRSS"));
    state.counters["threads_start"] = double(threadsStart);
    state.counters["threads_end"] = double(StatusField("Threads"));
    if (delivered != long(state.iterations())) {
        static std::string error;  // SkipWithError keeps the pointer
        error = "frames went missing: " + std::to_string(delivered) + " of " +
                std::to_string(state.iterations()) + " delivered";
        state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_DirectPlayFrames)->Iterations(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
