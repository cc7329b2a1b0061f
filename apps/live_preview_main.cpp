// live_preview: the host program's live-video demonstration on the simulated
// tuner. Keys, one per character: 'q' opens the tuner and starts live video in
// a virtual screen file, 'n' zaps to the next station, 'p' prints the screen in
// the terminal, 'c' saves a capture as a .bmp, 'x' stops live video and closes
// the tuner.
//   live_preview [--screen WxHxD] [--file PATH] [--bmp PATH] [--columns N]
//                [--no-video] [KEYS]
// With KEYS they run one after the other. Without KEYS, on a terminal, the live
// picture is redrawn in place while the keys act at once ('x' ends); elsewhere,
// or with --no-video, it runs "qpcnpx".
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "apps/half_blocks.h"
#include "apps/live_loop.h"
#include "apps/live_preview.h"
#include "apps/live_screen.h"
#include "apps/picture_source.h"
#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"

namespace {

struct Options {
    livepreview::ScreenFile screen;
    std::string bmp = "live_capture.bmp";
    int columns = 80;
    std::string keys = "qpcnpx";
    bool keysGiven = false;
    bool video = true;
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
        } else if (arg == "--no-video") {
            o->video = false;
        } else if (arg[0] != '-') {
            o->keys = arg;
            o->keysGiven = true;
        } else {
            return false;
        }
    }
    return o->screen.width > 0 && o->screen.height > 0 && o->columns > 0;
}

// The keys' work; each returns what to tell the user ("" for nothing).
class Demo {
  public:
    explicit Demo(const Options& o) : o_(o) {}

    std::string Key(char key, bool live) {
        switch (key) {
            case 'q':
                return Start();
            case 'n':
                return Zap();
            case 'p':
                return live ? "" : Preview();
            case 'c':
                return Capture();
            case 'x':
                return Stop();
            default:
                return "";
        }
    }
    bool Running() const { return handle_ != 0; }
    int Slot() const { return slot_; }

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
    std::string Start() {
        if (handle_ != 0) return "";
        ZaqRect rect{0, 0, o_.screen.width - 1, o_.screen.height - 1};
        if (ZAQ_Init(&handle_) != 0 || ZAQ_OpenTuner(handle_, ZAQ_MODE_TV) != 0) {
            if (handle_ != 0) ZAQ_Release(handle_);
            handle_ = 0;
            return "err: tuner";
        }
        slot_ = NextStation(-1);
        SimTvStationInfo info{};
        sim_tuner_tv_station(slot_, &info);
        ZAQ_SelectChannel(handle_, slot_, info.bestOffset);
        ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect);
        WaitForPicture();
        return "live video on slot " + std::to_string(slot_);
    }
    std::string Zap() {
        if (handle_ == 0) return "";
        slot_ = NextStation(slot_);
        SimTvStationInfo info{};
        sim_tuner_tv_station(slot_, &info);
        ZAQ_SelectChannel(handle_, slot_, info.bestOffset);
        WaitForPicture();
        return "zapped to slot " + std::to_string(slot_);
    }
    std::string Preview() {
        const auto pixels = livepreview::ReadScreen(o_.screen);
        std::string text = livepreview::TerminalPreview(o_.screen, pixels, o_.columns);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }
    std::string Capture() {
        const bool saved = livepreview::SaveCapture(o_.bmp, 24);
        return std::string(saved ? "saved " : "err: capture ") + o_.bmp;
    }
    std::string Stop() {
        if (handle_ == 0) return "";
        ZAQ_DirectPlayStop(handle_);
        ZAQ_CloseTuner(handle_);
        ZAQ_Release(handle_);
        handle_ = 0;
        return "live video stopped";
    }

    Options o_;
    int handle_ = 0;
    int slot_ = -1;
};

void Print(const std::string& message) {
    if (!message.empty()) std::printf("%s\n", message.c_str());
}

// The picture redrawn in place until 'x', Ctrl-C or the end of the input.
void RunLive(Demo& demo, const Options& options) {
    using host::LiveScreen;
    const auto source = host::ChoosePictureSource(options.screen);
    const host::ColourDepth depth = host::ColourDepthFrom(std::getenv("COLORTERM"));
    LiveScreen screen;
    host::RgbPicture picture;
    std::string message = "q start  n next station  c capture  x stop and quit";
    bool quit = false;
    host::LiveLoopSteps steps;
    steps.key = [&](int key) {
        if (key == 'x') quit = true;
        const std::string said = demo.Key(static_cast<char>(key), true);
        if (!said.empty()) message = said;
    };
    steps.follow = [] {};
    steps.draw = [&] {
        source->Take(&picture);
        const host::TerminalSize fit =
            host::FitPicture(screen.Size(), 2, picture.width, picture.height);
        auto lines = host::HalfBlockLines(picture, fit.columns, fit.rows, depth);
        SimTunerState state;
        sim_tuner_get_state(&state);
        lines.push_back(demo.Running() ? "slot " + std::to_string(demo.Slot()) + " | frames " +
                                             std::to_string(state.framesDelivered)
                                       : "stopped");
        lines.push_back(message);
        screen.Show(lines);
    };
    steps.done = [&] { return quit; };
    steps.stop = [&] { quit = true; };
    host::RunLiveLoop(steps, std::chrono::milliseconds(0));
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: live_preview [--screen WxHxD] [--file PATH] [--bmp PATH] "
                     "[--columns N] [--no-video] [KEYS]\n");
        return 2;
    }
    livepreview::UseVirtualScreen(options.screen);
    Demo demo(options);
    const bool live =
        options.video && !options.keysGiven && isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    if (live) {
        RunLive(demo, options);
    } else {
        for (char key : options.keys) Print(demo.Key(key, false));
    }
    Print(demo.Key('x', false));
    return 0;
}
