// MessageHandler command 15: requests of the setup menu (sound mode, country,
// inputs, video type, sleep timer, defaults, scan progress).
#include <cstring>

#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_message_tables.h"
#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kHostSleepTimer = 16;
constexpr int kHostMenuLeft = 22;
constexpr uint32_t kNoDisplayDevice = 65535;

// The menu counts sound mode 2 as 3.
int MenuSoundMode(int mode) {
    return mode == ZAQ_MTS_SAP ? ZAQ_MTS_STEREO_SAP : mode;
}

void ShowValue(TvController& tv, unsigned command) {
    int value = 0;
    tv.Engine(command, nullptr, 0, &value);
    tv.Menu(kMenuSettingValue, &value);
}

// Engine set command with p2; on success the menu hears it.
bool Apply(TvController& tv, unsigned command, int p2) {
    if (tv.Engine(command, &p2) != 1) return false;
    tv.Menu(kMenuSettingApplied, &p2);
    return true;
}

void SoundModeChanged(TvController& tv, int p2, void*) {
    tv.Panel(kPanelSoundMode, p2, 2);
}

void GenericRead(TvController& tv, int p2, void* p3) {
    if (!p3) return;
    if (p2 == kDvrGetCountry) {
        char country[ZAQ_COUNTRY_MAX_LENGTH] = {};
        tv.Engine(kDvrGetCountry, nullptr, 0, country);
        std::memcpy(p3, country, std::strlen(country) + 1);
        return;
    }
    int value = 0;
    tv.Engine(static_cast<unsigned>(p2), nullptr, 0, &value);
    if (p2 == kDvrGetSoundMode) value = MenuSoundMode(value);
    std::memcpy(p3, &value, sizeof value);
}

void SetSoundMode(TvController& tv, int p2, void*) {
    if (Apply(tv, kDvrSetSoundMode, p2) && p2 >= 0) tv.Panel(kPanelSoundMode, p2, 0);
}

void ShowSoundMode(TvController& tv, int, void*) {
    int mode = 0;
    tv.Engine(kDvrGetSoundMode, nullptr, 0, &mode);
    mode = MenuSoundMode(mode);
    tv.Menu(kMenuSettingValue, &mode);
}

void ShowCountry(TvController& tv, int, void*) {
    char country[ZAQ_COUNTRY_MAX_LENGTH] = {};
    tv.Engine(kDvrGetCountry, nullptr, 0, country);
    const int flag = 1;
    tv.Menu(kMenuSettingValue, country, &flag);
}

void SetCountry(TvController& tv, int, void* p3) {
    char country[ZAQ_COUNTRY_MAX_LENGTH] = {};
    if (p3) std::strncpy(country, static_cast<const char*>(p3), sizeof country - 1);
    if (tv.Engine(kDvrSetCountrySearch, country) != 1) return;
    const int flag = 1;
    tv.Menu(kMenuSettingApplied, country, &flag);
    SelectSlot(tv, CurrentSlot(tv));
    int videoType = 0;
    if (tv.Engine(kDvrGetVideoType, nullptr, 0, &videoType) == 1) {
        setRegInt(kKeyVideoType, videoType);
    }
}

void ShowInputType(TvController& tv, int, void*) {
    ShowValue(tv, kDvrGetInputType);
}

void SetInputType(TvController& tv, int p2, void*) {
    if (Apply(tv, kDvrSetInputType, p2)) SelectSlot(tv, CurrentSlot(tv));
}

void ShowVideoType(TvController& tv, int, void*) {
    ShowValue(tv, kDvrGetVideoType);
}

void SetVideoType(TvController& tv, int p2, void*) {
    if (tv.Engine(kDvrSetVideoType, &p2) != 1) return;
    setRegInt(kKeyVideoType, p2);
    tv.Menu(kMenuSettingApplied, &p2);
}

void ShowVideoSource(TvController& tv, int, void*) {
    ShowValue(tv, kDvrGetVideoSource);
}
void SetVideoSource(TvController& tv, int p2, void*) {
    Apply(tv, kDvrSetVideoSource, p2);
}
void ShowAudioSource(TvController& tv, int, void*) {
    ShowValue(tv, kDvrGetAudioSource);
}
void SetAudioSource(TvController& tv, int p2, void*) {
    Apply(tv, kDvrSetAudioSource, p2);
}

struct SleepChoice {
    int choice;
    int seconds;
    int minutes;
};
constexpr SleepChoice kSleepChoices[] = {
    {1, 300, 5}, {2, 600, 10}, {4, 1800, 30}, {5, 3600, 60}, {6, 7200, 120}, {0, 0, 0},
};

void SleepTimer(TvController& tv, int p2, void*) {
    CloseMenu(tv);
    for (const SleepChoice& choice : kSleepChoices) {
        if (choice.choice != p2) continue;
        tv.sleepSeconds = choice.seconds;
        tv.sleepMinutes = choice.minutes;
        tv.Menu(kMenuSleepMinutes, nullptr, &tv.sleepMinutes, nullptr, true);
    }
    tv.Host(kHostSleepTimer, tv.sleepSeconds);
}

void Close(TvController& tv, int, void*) {
    CloseMenu(tv);
}

void OpenMenu(TvController& tv, int, void*) {
    tv.menuOpen = true;
    tv.Menu(kMenuOpen);
}

void SleepStopped(TvController& tv, int, void*) {
    tv.sleepRemaining = 0;
}

void MenuLeft(TvController& tv, int, void*) {
    tv.menuOpen = false;
    tv.Menu(kMenuRefresh, nullptr, nullptr, nullptr, true);
}

bool DisplayKnown() {
    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    return CUIDRV::m_dwDeviceID != kNoDisplayDevice || (driver && driver->m_dwDisplayHandle != 0);
}

void DisplayDefaults(TvController& tv, int p2, void*) {
    if (p2 == 1) {
        if (DisplayKnown()) {
            ApplyPictureGroup(tv, kItemGroupPictureDisplay);
        } else {
            tv.Menu(kMenuNoDisplay, nullptr, nullptr, nullptr, true);
        }
    }
    CloseMenu(tv);
}

void Defaults(TvController& tv, int p2, void*) {
    if (p2 == 1) RestoreDefaults(tv);
    CloseMenu(tv);
}

void LeaveMenu(TvController& tv, int p2, void*) {
    CloseMenu(tv);
    if (p2 == 0) tv.Host(kHostMenuLeft);
}

void ScanProgress(TvController& tv, int p2, void*) {
    ShowChannel(tv, kMenuScanProgress, p2 + 1);
}

constexpr TvSubEntry kMenuRequests[] = {
    {21, SoundModeChanged, false}, {35, GenericRead, false},
    {36, SetSoundMode, false},     {37, ShowSoundMode, false},
    {38, ShowCountry, false},      {39, SetCountry, false},
    {40, ShowInputType, false},    {41, SetInputType, true},
    {42, ShowVideoType, false},    {43, SetVideoType, false},
    {44, ShowVideoSource, false},  {45, SetVideoSource, false},
    {46, ShowAudioSource, false},  {47, SetAudioSource, false},
    {64, SleepTimer, false},       {72, Close, false},
    {80, OpenMenu, false},         {81, SleepStopped, false},
    {83, MenuLeft, false},         {86, DisplayDefaults, false},
    {87, Defaults, false},         {89, LeaveMenu, false},
    {91, ScanProgress, false},
};

}  // namespace

void HandleMenuRequest(TvController& tv, int p1, int p2, void* p3) {
    RunSubCommand(tv, kMenuRequests,
                  static_cast<int>(sizeof kMenuRequests / sizeof kMenuRequests[0]), p1, p2, p3);
}
