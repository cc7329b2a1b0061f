// The FM controller behind CFMUICtrl: its state, the host's entry points and the
// handlers its UI thread runs.
//
// Threads: the host's thread builds and destroys it and calls Notify and
// MessageHandler; the UI thread handles queued keys and events. Handling is
// serialised by one mutex, so a direct MessageHandler call never races the UI thread.
// busy and the sleep minutes are shared with Notify and are atomics.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "interfaces/host_framework.h"
#include "plugins/fm/fm_band.h"
#include "plugins/fm/fm_ui_mediator.h"

namespace sonidra {

// Tuning modes.
enum : int { kModeSeek = 0, kModeManual = 1, kModeFavourites = 2 };

// Result of a refused key.
constexpr int kKeyRefused = static_cast<int>(0x80000008u);

// Third value of panel command 64 while a seek passes over channels.
constexpr int kPanelSeeking = 999;

// Seek sensitivity levels: threshold 35 - 7 x level runs from 35 down to 0. A level
// outside them, stored or sent by the menu, is not taken.
constexpr int kDefaultSensitivity = 3;
inline bool UsableSensitivity(int level) {
    return level >= 0 && level <= 5;
}

struct RegistrationRelease {
    void operator()(CZAQRegistration* registration) const { registration->Release(); }
};

class FmController {
  public:
    explicit FmController(CUICTRL* owner);
    ~FmController();
    FmController(const FmController&) = delete;
    FmController& operator=(const FmController&) = delete;

    int Notify(unsigned type, char* data, unsigned len, int value);
    int MessageHandler(int media, int set, void* p, void* q, void* r);

    // ---- Run on the UI thread (or under the handling mutex) ----
    int HandleKey(const char* key, int length, int complete);
    void HandleMessage(int set, int code, int value, const char* payload);

    // Engine and host.
    int Engine(unsigned command, void* in = nullptr, void* out = nullptr, int inSize = 0);
    void NotifyHost(int code, int argument = 0);

    // Drawing.
    int Osd(int command, void* argument = nullptr);
    void Menu(unsigned command, const void* a1 = nullptr, const void* a2 = nullptr,
              const void* a3 = nullptr, const void* a4 = nullptr);
    void Panel(CUIPanelCtrlCmd command, int value, int flag);
    void Flip();
    void ShowFrequency(int channel, int panelFlag);
    void ShowFavouriteNumber(int slot);
    void ClearFavouriteNumber();
    void LeaveMenu();
    const char* OsdName() const { return osdName_.c_str(); }
    bool HasMenu() const { return menu_ != nullptr; }

    // Tuning (fm_tuning.cpp, fm_favourite_keys.cpp).
    int StartRadio();
    void TypedDigits(const char* key, int length);
    void TypedEntry(const char* key, int length);
    void Step(bool up);
    void Seek(bool up);
    void Favourite(bool next);
    void StoreFavourite(int slot);
    void ListFavourites();

    // Sound and menu (fm_sound_keys.cpp, fm_menu_actions.cpp, fm_patch_check.cpp).
    void Volume(bool up);
    void ToggleMute();
    void MenuAction(int code, int value);
    void SetSleepTimer(int value);
    void ChangeLanguage(int value);
    void PatchCheck();

    // ---- State ----
    unsigned wrapper = 0;
    FmBand band;
    bool menuMode = false;
    int sleepSeconds = 0;
    bool muted = false;
    int tuningMode = kModeSeek;
    int currentChannel = 0;
    std::vector<int> favourites;
    int favouriteSlot = 0;
    int sensitivity = kDefaultSensitivity;
    std::atomic<HostCallback> hostCallback{nullptr};
    bool tunerOn = false;
    std::atomic<bool> busy{false};

  private:
    void Construct();
    void ShowUpgradeReport();
    void UiLoop();
    void UiPass(int* lastMinute, int* lastDay);

    CUICTRL* owner_;
    std::unique_ptr<CUIPainter> painter_;
    std::unique_ptr<CFMUIMediator> osd_;
    std::unique_ptr<CSetupMenuMediator> menu_;
    std::unique_ptr<CZAQRegistration, RegistrationRelease> registration_;

  public:
    CZAQLangTrans* language_ = nullptr;

  private:
    std::string osdName_ = "OSD_FM";
    CUIPanelCtrl* panel_ = nullptr;
    std::mutex handling_;
    std::thread uiThread_;
};

// The sleep timer's minutes, shared with the setup menu and Notify type 24.
std::atomic<int>& SleepMinutes();

}  // namespace sonidra
