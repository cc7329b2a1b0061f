// Engine commands of the recorder: frame capture, playback status, scans,
// pause and time search. They act only in the states the bits allow.
#include <cstdint>
#include <cstdio>

#include "plugins/tv/dvr_commands.h"

namespace {

constexpr int kCaptureBits = 24;
constexpr int kNormalPlaySpeed = 1000;

bool PlayingBack(const DvrEngine& engine) {
    return engine.Has(kDvrTimeShift | kDvrPlayback);
}

using ScanCall = int (*)(int handle, int speed);

int ScanAt(DvrEngine& engine, const DvrArgs& args, ScanCall scan) {
    if (!PlayingBack(engine)) return 1;
    const int speed = args.InValue();
    if (speed == 0) return DvrFail("inputparam err");
    const int tuner = engine.tuner.load();
    const int result = speed == kNormalPlaySpeed ? ZAQ_Play(tuner) : scan(tuner, speed);
    engine.Clear(kDvrPaused);
    return result;
}

}  // namespace

int DvrFrameCapture(DvrEngine& engine, const DvrArgs& args) {
    if (!engine.Has(kDvrLiveVideo | kDvrTimeShift)) return DvrFail("");
    return ZAQ_FrameCapture(engine.tuner.load(), args.in, kCaptureBits);
}

int DvrGetPlaybackStatus(DvrEngine& engine, const DvrArgs& args) {
    if (!args.in) return -1;
    ZAQ_GetPlayBackStatus(engine.tuner.load(), args.in);
    return 1;
}

int DvrBackwardScan(DvrEngine& engine, const DvrArgs& args) {
    return ScanAt(engine, args, ZAQ_Backward_Scan);
}

int DvrForwardScan(DvrEngine& engine, const DvrArgs& args) {
    return ScanAt(engine, args, ZAQ_Forward_Scan);
}

int DvrPauseToggle(DvrEngine& engine, const DvrArgs&) {
    if (!PlayingBack(engine)) {
        // These two messages carry their own newline.
        return DvrFail(engine.Has(kDvrRecording) ? "pause on recording is not supported\n"
                                                 : "not recording nor timeshift\n");
    }
    const int tuner = engine.tuner.load();
    if (engine.Has(kDvrPaused)) {
        ZAQ_Pause_Off(tuner);
        engine.Clear(kDvrPaused);
    } else {
        ZAQ_Pause_On(tuner);
        engine.Set(kDvrPaused);
    }
    return 1;
}

int DvrTimeSearch(DvrEngine& engine, const DvrArgs& args) {
    const int tuner = engine.tuner.load();
    ZaqPlaybackStatus status{};
    if (ZAQ_GetPlayBackStatus(tuner, &status) < 0) return DvrFail("err: TIME SEARCH");
    const uint32_t length = status.length;
    uint32_t target = static_cast<uint32_t>(args.inSize);
    if (target > length) target = length;
    if (ZAQ_Time_Search(tuner, target, 0, 0) < 0) return DvrFail("err: TIME SEARCH");
    return 1;
}
