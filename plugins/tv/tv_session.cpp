// Starting TV ('q'), leaving it ('x'), ending fine tuning, and restoring the
// setup menu's defaults.
#include <cstdio>

#include "plugins/common/language_defaults.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kHostStartFailed = 11;
constexpr int kHostSleepTimer = 16;

int StoredChannel() {
    const int channel = getRegInt(kKeyChannelNumber, 0);
    return channel < 0 || channel >= kTvSlots ? 0 : channel;
}

void ShowSoundMode(TvController& tv) {
    int mode = 0;
    if (tv.Engine(kDvrGetSoundMode, nullptr, 0, &mode) == 1) tv.Panel(kPanelSoundMode, mode, 2);
}

// The tuner keeps its own level between opens, while the panel shows the stored
// one: the stored level is applied so that what is shown is what is heard. With
// nothing stored the tuner keeps its level.
void RestoreVolume(TvController& tv) {
    int volume = getRegInt(kKeyTvVolume, -1);
    if (volume >= 0 && volume <= kTvMaxVolume) tv.Engine(kDvrSetVolume, &volume);
}

}  // namespace

void StartTv(TvController& tv) {
    char country[ZAQ_SETTING_MAX_LENGTH] = {};
    getRegStr(kKeyCountry, country);
    int inputType = getRegInt(kKeyInputType, 0);
    tv.currentChannel = StoredChannel();
    tv.previousChannel = tv.currentChannel;
    LoadFavourites(tv);
    LoadOffsets(tv);
    int slot = tv.currentChannel;
    int offset = tv.frequencyOffsets[static_cast<size_t>(slot)];
    void* list[] = {&slot, &offset, &inputType, country};
    if (tv.Engine(kDvrStartTv, list, 4) != 0) {
        tv.Host(kHostStartFailed);
        return;
    }
    int videoType = getRegInt(kKeyVideoType, -1);
    if (videoType >= 0) tv.Engine(kDvrSetVideoType, &videoType);
    RestoreVolume(tv);
    ApplyItemsAtStart(tv);
    tv.tvStarted = true;
    if (!LoadChannelList(tv)) StartChannelScan(tv);
    const int number = tv.currentChannel + 1;
    const int mode = 3;
    tv.Menu(kMenuChannelAll, &number, nullptr, &mode, true);
    ShowSoundMode(tv);
    tv.Panel(kPanelChannel, number, 2);
    int count = tv.channelCount;
    if (tv.Engine(kDvrGetChannelCount, nullptr, 0, &count) == 1) tv.channelCount = count;
}

void EndFineTuning(TvController& tv) {
    StoreFineTuning(tv);
    tv.fineTuning = false;
    const int slot = CurrentSlot(tv);
    const int number = (slot < 0 ? 0 : slot) + 1;
    const int mode = 3;
    tv.Menu(kMenuChannelAll, &number, nullptr, &mode, true);
    CloseMenu(tv);
    tv.Panel(kPanelChannel, number, 2);
}

void ExitTv(TvController& tv) {
    if (tv.tvStarted) {
        if (tv.fineTuning) {
            StoreFineTuning(tv);
            tv.fineTuning = false;
        }
        tv.teletext = false;
        SaveAtExit(tv);
    }
    // Closes even a tuner that never opened, so the host always hears the end.
    tv.Engine(kDvrCloseAndReport);
}

void RestoreDefaults(TvController& tv) {
    tv.sleepMinutes = 0;
    tv.sleepSeconds = 0;
    ShowSleepTimerOff(tv.setupMenu.get(), tv.osdName.c_str());
    tv.Host(kHostSleepTimer, 0);
    RestorePreferredLanguage(tv.language, tv.setupMenu.get(), tv.osdName.c_str());
    ApplyPictureGroup(tv, kItemGroupPictureDefaults);
    ApplyTunerGroup(tv, kItemGroupTunerDefaults);
    char country[ZAQ_SETTING_MAX_LENGTH] = {};
    if (getRegStr(kKeyDefaultCountry, country) == 0) tv.Engine(kDvrSetCountrySearch, country);
    if (TunerOnly(tv)) SelectSlot(tv, CurrentSlot(tv));
}
