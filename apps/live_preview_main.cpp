// live_preview: the host program's live-video demonstration on the simulated
// tuner. Keys are read from the command line or standard input, one per
// character: 'q' opens the tuner and starts live video in a virtual screen
// file, 'n' zaps to the next station, 'p' prints the screen in the terminal,
// 'c' saves a capture as a .bmp, 'x' stops live video and closes the tuner.
//   live_preview [--screen WxHxD] [--file PATH] [--bmp PATH] [--columns N] [KEYS]
// Without KEYS it runs "qpcnpx".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "apps/live_preview.h"
#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"

namespace {

struct Options {
    livepreview::ScreenFile screen;
    std::string bmp = "live_capture.bmp";
    int columns = 80;
    std::string keys = "qpcnpx";
};

bool Parse(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc;
        if (arg == "--screen" && value) {
            if (std::sscanf(argv[++i], "%dx%dx%d", &o->screen.width, &o->screen.height,
                            &o->screen.bitsPerPixel) != 3)
                return false;
        } else if (arg == "--file" && value) {
            o->screen.path = argv[++i];
        } else if (arg == "--bmp" && value) {
            o->bmp = argv[++i];
        } else if (arg == "--columns" && value) {
            o->columns = std::atoi(argv[++i]);
        } else if (arg[0] != '-') {
            o->keys = arg;
        } else {
            return false;
        }
    }
    return o->screen.width > 0 && o->screen.height > 0 && o->columns > 0;
}

class Demo {
  public:
    explicit Demo(const Options& o) : o_(o) {}

    void Key(char key) {
        switch (key) {
            case 'q':
                Start();
                break;
            case 'n':
                Zap();
                break;
            case 'p':
                Preview();
                break;
            case 'c':
                Capture();
                break;
            case 'x':
                Stop();
                break;
            default:
                break;
        }
    }

  private:
    // The next slot with a station after `from`, or -1.
    static int NextStation(int from) {
        for (int step = 1; step <= 512; ++step) {
            SimTvStationInfo info{};
            const int slot = (from + step) % 512;
            if (sim_tuner_tv_station(slot, &info) == 0 && info.hasStation) return slot;
        }
        return -1;
    }
    void WaitForPicture() {
        SimTunerState state;
        sim_tuner_get_state(&state);
        sim_tuner_wait_frames(state.framesDelivered + 3, 5000);
    }
    void Start() {
        if (handle_ != 0) return;
        ZaqRect rect{0, 0, o_.screen.width - 1, o_.screen.height - 1};
        if (ZAQ_Init(&handle_) != 0 || ZAQ_OpenTuner(handle_, ZAQ_MODE_TV) != 0) {
            std::printf("err: tuner\n");
            return;
        }
        slot_ = NextStation(-1);
        SimTvStationInfo info{};
        sim_tuner_tv_station(slot_, &info);
        ZAQ_SelectChannel(handle_, slot_, info.bestOffset);
        ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect);
        WaitForPicture();
        std::printf("live video on slot %d\n", slot_);
    }
    void Zap() {
        if (handle_ == 0) return;
        slot_ = NextStation(slot_);
        SimTvStationInfo info{};
        sim_tuner_tv_station(slot_, &info);
        ZAQ_SelectChannel(handle_, slot_, info.bestOffset);
        WaitForPicture();
        std::printf("zapped to slot %d\n", slot_);
    }
    void Preview() {
        const auto pixels = livepreview::ReadScreen(o_.screen);
        std::fputs(livepreview::TerminalPreview(o_.screen, pixels, o_.columns).c_str(), stdout);
    }
    void Capture() {
        const bool saved = livepreview::SaveCapture(o_.bmp, 24);
        std::printf("%s %s\n", saved ? "saved" : "err: capture", o_.bmp.c_str());
    }
    void Stop() {
        if (handle_ == 0) return;
        ZAQ_DirectPlayStop(handle_);
        ZAQ_CloseTuner(handle_);
        ZAQ_Release(handle_);
        handle_ = 0;
        std::printf("live video stopped\n");
    }

    Options o_;
    int handle_ = 0;
    int slot_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: live_preview [--screen WxHxD] [--file PATH] [--bmp PATH] "
                     "[--columns N] [KEYS]\n");
        return 2;
    }
    livepreview::UseVirtualScreen(options.screen);
    Demo demo(options);
    for (char key : options.keys) demo.Key(key);
    demo.Key('x');
    return 0;
}
