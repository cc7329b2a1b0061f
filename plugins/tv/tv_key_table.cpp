// The TV key table: one small action per key.
#include "plugins/tv/tv_key_table.h"

#include "plugins/common/sleep_ms.h"
#include "plugins/common/upgrade_notice.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_persistence.h"

namespace {

constexpr int kVideoInputs = 3;
constexpr int kSoundModes = 4;

void FineStep(TvController& tv, int step) {
    if (!tv.fineTuning) return;
    if (FineTuneStep(tv, step)) tv.Menu(kMenuClose);
}

void ShowVolume(TvController& tv, int volume) {
    tv.Menu(kMenuVolume, nullptr, &volume, nullptr, true);
    tv.Panel(kPanelVolume, volume, 0);
}

void StepVolume(TvController& tv, unsigned command) {
    if (tv.muted) {
        tv.muted = false;
        tv.EngineValue(kDvrMute, 0);
    }
    int volume = 0;
    tv.Engine(command, nullptr, 0, &volume);
    ShowVolume(tv, volume);
}

void ToggleMute(TvController& tv) {
    tv.muted = !tv.muted;
    tv.EngineValue(kDvrMute, tv.muted ? 1 : 0);
    int volume = 0;
    tv.Engine(kDvrGetVolume, nullptr, 0, &volume);
    if (tv.muted) {
        tv.Menu(kMenuMuteOn, nullptr, nullptr, nullptr, true);
        tv.PanelOnly(kPanelMuteOn);
    } else {
        tv.Menu(kMenuVolume, nullptr, &volume, nullptr, true);
        tv.PanelOnly(kPanelMuteOff);
        tv.Panel(kPanelVolume, volume, 0);
    }
}

void NextSoundMode(TvController& tv) {
    int mode = 0;
    if (tv.Engine(kDvrGetSoundMode, nullptr, 0, &mode) != 1) return;
    for (int i = 1; i < kSoundModes; ++i) {
        int next = (mode + i) % kSoundModes;
        if (tv.Engine(kDvrSetSoundMode, &next) == 1) return;
    }
}

void NextVideoInput(TvController& tv) {
    tv.videoInput = (tv.videoInput + 1) % kVideoInputs;
    int input = tv.videoInput;
    tv.Engine(kDvrSetVideoSource, &input);
}

void ShowChannelLater(TvController& tv) {
    SleepMilliseconds(NoticeDelayMs());
    const int slot = CurrentSlot(tv);
    tv.Panel(kPanelChannel, (slot < 0 ? 0 : slot) + 1, 2);
}

void Digits(TvController& tv, const std::string& key) {
    if (!TunerOnly(tv)) return;
    int count = 0;
    DirectEntry(tv, LeadingNumber(key, &count));
}

void OpenMenu(TvController& tv) {
    tv.menuOpen = true;
    tv.Menu(kMenuOpen);
}

using KeyAction = void (*)(TvController& tv, const std::string& key);

struct KeyEntry {
    unsigned char key;
    KeyAction action;
};

const KeyEntry kKeys[] = {
    {kKeyRight, [](TvController& tv, const std::string&) { FineStep(tv, kFineTuneStep); }},
    {kKeyLeft, [](TvController& tv, const std::string&) { FineStep(tv, -kFineTuneStep); }},
    {'!', [](TvController& tv, const std::string&) { Recall(tv); }},
    {'(',
     [](TvController& tv, const std::string&) {
         if (TunerOnly(tv)) NextChannel(tv, 1);
     }},
    {')',
     [](TvController& tv, const std::string&) {
         if (TunerOnly(tv)) NextChannel(tv, -1);
     }},
    {'+', [](TvController& tv, const std::string&) { StepVolume(tv, kDvrVolumeUp); }},
    {'-', [](TvController& tv, const std::string&) { StepVolume(tv, kDvrVolumeDown); }},
    {'=', [](TvController& tv, const std::string&) { NextVideoInput(tv); }},
    {'S', [](TvController& tv, const std::string&) { OpenMenu(tv); }},
    {'a',
     [](TvController& tv, const std::string&) {
         if (TunerOnly(tv)) StartChannelScan(tv);
     }},
    {'f', [](TvController& tv, const std::string&) { ToggleMute(tv); }},
    {'i', [](TvController& tv, const std::string&) { NextSoundMode(tv); }},
    {'q', [](TvController& tv, const std::string&) { StartTv(tv); }},
    {'s', [](TvController& tv, const std::string&) { SwitchToAllChannels(tv); }},
    {'x', [](TvController& tv, const std::string&) { ExitTv(tv); }},
};

}  // namespace

long LeadingNumber(const std::string& key, int* digitCount) {
    long number = 0;
    int count = 0;
    // A node holds at most 12 bytes, so the number always fits.
    while (count < static_cast<int>(key.size()) && key[count] >= '0' && key[count] <= '9') {
        number = number * 10 + (key[count] - '0');
        ++count;
    }
    if (digitCount) *digitCount = count;
    return number;
}

void RunKeyTable(TvController& tv, const std::string& key) {
    if (key.empty()) return;
    const unsigned char k = static_cast<unsigned char>(key[0]);
    for (const KeyEntry& entry : kKeys) {
        if (entry.key == k) return entry.action(tv, key);
    }
    if (k >= '0' && k <= '9') return Digits(tv, key);
    if (k < '0') ShowChannelLater(tv);
}
