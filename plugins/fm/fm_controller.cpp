// The FM controller's life (construction and destruction in the host's order) and the
// host's entry points Notify and MessageHandler.
#include "plugins/fm/fm_controller.h"

#include <cstdint>

#include "plugins/common/engine_table.h"
#include "plugins/common/sleep_ms.h"
#include "plugins/common/upgrade_notice.h"
#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_favourites.h"
#include "plugins/fm/fm_menu_commands.h"
#include "plugins/fm/fm_settings_keys.h"
#include "plugins/fm/fm_ui_queue.h"

namespace sonidra {
namespace {

constexpr const char kStandardMenu[] = "SKIN00/XML/SETUPMENU/FM/FM_SETING_MENU.xml";
constexpr const char kSmallMenu[] = "SKIN00_800x600/XML/SETUPMENU/FM/FM_SETING_MENU.xml";

enum : unsigned {
    kNotifyCreateEngine = 0,
    kNotifyHostCallback = 1,
    kNotifyKey = 2,
    kNotifySleep = 24
};

std::atomic<bool>& UiRunning() {
    static std::atomic<bool> running{false};
    return running;
}

int Resolution() {
    return getRegInt(kKeyResolution, 0);
}

}  // namespace

std::atomic<int>& SleepMinutes() {
    static std::atomic<int> minutes{0};
    return minutes;
}

FmController::FmController(CUICTRL* owner) : owner_(owner) {
    Construct();
}

void FmController::Construct() {
    painter_.reset(CUIPainter::GetInstance());
    registration_.reset(CZAQRegisterFactory::RegisterFactory(kMediaFm));
    language_ = CZAQLangTrans::GetOrCreateObject();
    menu_.reset(CZAQFMSetupMenuFactory::FMSetupMenuFactory(
        Resolution() == kSmallSkin ? kSmallMenu : kStandardMenu));
    Menu(kFmMenuInstallCallback, MenuCallbackWord(FmMediaEventCallback));
    menu_->SetUiCtrl(owner_);
    ShowUpgradeReport();
    osd_ = std::make_unique<CFMUIMediator>(CFMUIMediator::LayoutPathFor(Resolution()));
    band = BandFromSettings();
    favourites = LoadFavourites(band);
    sensitivity = getRegInt(kKeyFmSensitivity, kDefaultSensitivity);
    if (!UsableSensitivity(sensitivity)) sensitivity = kDefaultSensitivity;
    FmUiQueue().Clear();
    panel_ = CUIPanelCtrl::GetOrCreateObject();
    Panel(kPanelFmVolumeAtStart, getRegInt(kKeyFmVolume, 0), 0);
    UiRunning().store(true);
    uiThread_ = std::thread([this] { UiLoop(); });
}

void FmController::ShowUpgradeReport() {
    ShowUpgradeNotice(menu_.get(), kFmMenuNoticeClose, painter_.get());
}

FmController::~FmController() {
    UiRunning().store(false);
    if (uiThread_.joinable()) uiThread_.join();
    // The engine goes first: its seek worker may still report into the queue.
    if (wrapper != 0) DestroyMediaWrapper(&wrapper);
    FmUiQueue().Clear();
    osd_.reset();
    menu_.reset();
    setRegInt(kKeyFmChannel, currentChannel);
    SaveFavourites(favourites);
    setRegInt(kKeyFmSensitivity, sensitivity);
    painter_.reset();
    registration_.reset();
    CZAQLangTrans::DestroyObject();
    if (panel_) {
        Panel(kPanelClose, 0, 0);
        CUIPanelCtrl::DestroyObject();
    }
    NotifyHost(kFmHostControllerGone);
}

int FmController::Notify(unsigned type, char* data, unsigned len, int value) {
    switch (type) {
        case kNotifyCreateEngine: {
            std::lock_guard<std::mutex> lock(handling_);
            // One engine per controller: a second request would leave the first one
            // running in the table with nobody to destroy it.
            if (wrapper != 0) break;
            CreateMediaWrapper(kMediaFm, &wrapper);
            SetMediaWrapperCallback(wrapper, FmMediaEventCallback);
            Engine(kFmSetBandStart, &band.startMHz, nullptr, sizeof band.startMHz);
            Engine(kFmSetChannelCount, &band.count, nullptr, sizeof band.count);
            break;
        }
        case kNotifyHostCallback:
            if (data) hostCallback.store(reinterpret_cast<HostCallback>(data));
            NotifyHost(kFmHostReady);
            break;
        case kNotifyKey: {
            const bool stopOrExit = data && len > 0 && (data[0] == 's' || data[0] == 'x');
            if (busy.load() && !stopOrExit) break;
            // Length and flag travel cut to a byte; the data is cut to the node's size.
            FmUiQueue().Append(kUiNodeKey, kNotifyKey, static_cast<int8_t>(len),
                               static_cast<int8_t>(value), data, len);
            break;
        }
        case kNotifySleep: {
            SleepMinutes().store(value);
            std::lock_guard<std::mutex> lock(handling_);
            const int minutes = SleepMinutes().load();
            if (menu_) Menu(kFmMenuSleepMinutes, nullptr, &minutes, nullptr, OsdName());
            break;
        }
        default:
            break;
    }
    return 0;
}

int FmController::MessageHandler(int media, int set, void* p, void* q, void* r) {
    if (media != kMediaFm) return 0;
    std::lock_guard<std::mutex> lock(handling_);
    HandleMessage(set, static_cast<int>(reinterpret_cast<intptr_t>(p)),
                  static_cast<int>(reinterpret_cast<intptr_t>(q)), static_cast<const char*>(r));
    return 0;
}

int FmController::Engine(unsigned command, void* in, void* out, int inSize) {
    return MediaWrapperCommand(wrapper, command, in, inSize, out, 0);
}

void FmController::NotifyHost(int code, int argument) {
    if (HostCallback fn = hostCallback.load()) fn(kFmHostFamily, code, argument, 0, 0);
}

void FmController::UiLoop() {
    int lastMinute = 0;
    int lastDay = 0;
    while (UiRunning().load()) {
        SleepMilliseconds(10);
        UiPass(&lastMinute, &lastDay);
    }
}

void FmController::UiPass(int* lastMinute, int* lastDay) {
    std::lock_guard<std::mutex> lock(handling_);
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    if (local.tm_min != *lastMinute) {
        *lastMinute = local.tm_min;
        Osd(kOsdClock, &local);
        Flip();
    }
    if (local.tm_mday != *lastDay) {
        *lastDay = local.tm_mday;
        Osd(kOsdDate, &local);
        Flip();
    }
    std::unique_ptr<UiEvent> node = FmUiQueue().Take();
    if (!node) return;
    if (node->kind == kUiNodeKey) {
        HandleKey(node->payload, node->first, node->second);
    } else {
        HandleMessage(static_cast<int>(node->set), node->first, node->second, node->payload);
    }
}

}  // namespace sonidra
