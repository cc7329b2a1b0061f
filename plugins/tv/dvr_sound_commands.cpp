// Engine commands for sound: MTS mode, volume steps, mute and volume.
#include "plugins/common/sleep_ms.h"
#include "plugins/common/tuner_volume.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kMaxVolume = kTvMaxVolume;
// The tuner needs this long before a new sound mode reads back.
constexpr int kSoundModeSettleMs = 100;

// One step, then the level read back into out; stored on success.
int StepVolume(DvrEngine& engine, const DvrArgs& args, int step) {
    const int tuner = engine.tuner.load();
    int volume = 0;
    if (StepTunerVolume(tuner, step, kMaxVolume, &volume) < 0) {
        DvrFail("err: Get Volume");
        return volume;
    }
    int now = 0;
    if (ReadTunerVolume(tuner, &now) < 0) {
        DvrFail("err: Get Volume");
        return volume;
    }
    args.WriteOut(now);
    setRegInt(kKeyTvVolume, volume);
    return 1;
}

}  // namespace

int DvrGetSoundMode(DvrEngine& engine, const DvrArgs& args) {
    if (!args.out || ZAQ_GetProperty(engine.tuner.load(), ZAQ_PROP_MTS_MODE, args.OutInt()) < 0) {
        return DvrFail("err: GetMTSAudioMode");
    }
    return 1;
}

int DvrSetSoundMode(DvrEngine& engine, const DvrArgs& args) {
    const int tuner = engine.tuner.load();
    if (!args.in || ZAQ_SetProperty(tuner, ZAQ_PROP_MTS_MODE, *args.InInt()) < 0) {
        return DvrFail("err: SetMTSAudioMode");
    }
    SleepMilliseconds(kSoundModeSettleMs);
    int mode = 0;
    ZAQ_GetProperty(tuner, ZAQ_PROP_MTS_MODE, &mode);
    return mode != *args.InInt() ? kDvrSoundModeRefused : 1;
}

int DvrVolumeUp(DvrEngine& engine, const DvrArgs& args) {
    return StepVolume(engine, args, +1);
}

int DvrVolumeDown(DvrEngine& engine, const DvrArgs& args) {
    return StepVolume(engine, args, -1);
}

int DvrMute(DvrEngine& engine, const DvrArgs& args) {
    if (ZAQ_SetProperty(engine.tuner.load(), ZAQ_PROP_MUTE, args.InValue()) < 0) {
        return DvrFail("err: Mute");
    }
    return 1;
}

int DvrSetVolume(DvrEngine& engine, const DvrArgs& args) {
    if (!args.in || ZAQ_SetProperty(engine.tuner.load(), ZAQ_PROP_VOLUME, *args.InInt()) < 0) {
        return DvrFail("err: Set Volume");
    }
    setRegInt(kKeyTvVolume, *args.InInt());
    return 1;
}

int DvrGetVolume(DvrEngine& engine, const DvrArgs& args) {
    if (!args.out || ReadTunerVolume(engine.tuner.load(), args.OutInt()) < 0) {
        return DvrFail("err: Get Volume");
    }
    return 1;
}
