// Engine commands for sound: MTS mode, volume steps, mute and volume.
#include "plugins/common/sleep_ms.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kMaxVolume = kTvMaxVolume;
// The tuner needs this long before a new sound mode reads back.
constexpr int kSoundModeSettleMs = 100;

int ReadVolume(int tuner, int* volume) {
    return ZAQ_GetProperty(tuner, ZAQ_PROP_VOLUME, volume);
}

// Sets the stepped volume and reads it back into out; stores it on success.
int FinishVolumeStep(int tuner, int volume, const DvrArgs& args, bool muteAtZero) {
    ZAQ_SetProperty(tuner, ZAQ_PROP_VOLUME, volume);
    if (muteAtZero && volume == 0) ZAQ_SetProperty(tuner, ZAQ_PROP_MUTE, 1);
    int now = 0;
    if (ReadVolume(tuner, &now) < 0) {
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
    const int tuner = engine.tuner.load();
    int volume = 0;
    if (ReadVolume(tuner, &volume) < 0) {
        DvrFail("err: Get Volume");
        return volume;
    }
    volume = volume + 1 > kMaxVolume ? kMaxVolume : volume + 1;
    if (volume == 1) ZAQ_SetProperty(tuner, ZAQ_PROP_MUTE, 0);
    return FinishVolumeStep(tuner, volume, args, false);
}

int DvrVolumeDown(DvrEngine& engine, const DvrArgs& args) {
    const int tuner = engine.tuner.load();
    int volume = 0;
    if (ReadVolume(tuner, &volume) < 0) {
        DvrFail("err: Get Volume");
        return volume;
    }
    volume = volume - 1 < 0 ? 0 : volume - 1;
    return FinishVolumeStep(tuner, volume, args, true);
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
    if (!args.out || ReadVolume(engine.tuner.load(), args.OutInt()) < 0) {
        return DvrFail("err: Get Volume");
    }
    return 1;
}
