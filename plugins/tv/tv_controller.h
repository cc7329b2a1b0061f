// The TV controller's state and the host objects it owns, behind the exported
// CTVUICtrl. The message tables (tv_messages.h) and the key table (tv_keys.h)
// work on it; everything they do runs under `serial`, on the controller thread
// or on a host thread calling MessageHandler directly.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "interfaces/host_framework.h"
#include "plugins/tv/ui_event_queue.h"

constexpr int kTvSlots = 512;
constexpr int kTvFavourites = 12;
constexpr int kAllChannels = 1;
constexpr int kFavouriteChannels = 0;

struct TvController {
    explicit TvController(CUICTRL* owner);
    ~TvController();
    TvController(const TvController&) = delete;
    TvController& operator=(const TvController&) = delete;

    // ---- Host objects ----
    CUICTRL* owner;
    std::unique_ptr<CUIPainter> painter;
    CZAQRegistration* registration = nullptr;
    CZAQLangTrans* language = nullptr;
    std::unique_ptr<CSetupMenuMediator> setupMenu;
    CUIPanelCtrl* panel = nullptr;
    std::atomic<HostCallback> hostCallback{nullptr};
    std::atomic<unsigned> engine{0};
    std::atomic<bool> keysBlocked{false};
    std::string osdName = "OSD_TV";
    int tvOutState = 0;

    // ---- TV state ----
    bool menuOpen = false;
    int sleepSeconds = 0;
    int sleepMinutes = 0;
    int sleepArmed = 0;
    int sleepStartSecond = 0;
    int sleepRemaining = 0;
    int previousChannel = 0;
    bool muted = false;
    int videoInput = 0;
    int channelMode = kAllChannels;
    bool fineTuning = false;
    bool teletext = false;
    int fineTuneTotal = 0;
    bool scanning = false;
    int channelCount = 0;
    int currentChannel = 0;
    std::string channelList = std::string(kTvSlots, '0');
    std::array<int, kTvSlots> frequencyOffsets{};
    std::vector<std::string> favouriteLabels;
    std::vector<int> favourites;
    std::vector<int> secondList;
    bool tvStarted = false;

    // Serialises event handling with direct MessageHandler calls.
    std::recursive_mutex serial;

    // ---- Talking to the engine, menu, panel and host ----
    // Engine command through the engine table (1 when there is no engine).
    int Engine(unsigned command, void* in = nullptr, int inSize = 0, void* out = nullptr);
    // Engine command with a pointer-sized value as in.
    int EngineValue(unsigned command, int value, void* out = nullptr);
    // Menu command; withOsd passes the OSD name as the fourth word.
    void Menu(unsigned command, const void* a1 = nullptr, const void* a2 = nullptr,
              const void* a3 = nullptr, bool withOsd = false);
    void Panel(CUIPanelCtrlCmd command, int value, int flag);
    void PanelOnly(CUIPanelCtrlCmd command);
    void Host(int event, int value = 0);

    // ---- Events ----
    void HandleEvent(const UiEvent& event);
    void HandleKey(const std::string& key, int length, int value);
    void HandleMessage(int code, int p1, int p2, void* p3);

    // Waits until the queue is empty and no event is being handled; for the
    // host program and tests. False on time-out.
    bool WaitIdle(int timeoutMs);

  private:
    void ShowUpgradeReport();
    void StartThread();
    void StopThread();
    void Run();

    std::thread thread_;
    std::atomic<bool> handling_{false};
};

// Sees every event the controller thread takes, before it is handled; for the
// host program's trace and tests. Null removes it.
using TvEventObserver = void (*)(const UiEvent& event);
void SetTvEventObserver(TvEventObserver observer);

// The callback installed in the engine, the setup menu and the registration
// object: queues what they report.
extern "C" int TvMediaEventCallback(int code, const char* data, unsigned len, int value);
