// The exported TV controller: Notify and MessageHandler on top of TvController.
#include "plugins/tv/tv_ui_ctrl.h"

#include "plugins/common/engine_table.h"
#include "plugins/tv/tv_controller.h"

namespace {

enum NotifyType : unsigned {
    kNotifyCreateEngine = 0,
    kNotifyHostCallback = 1,
    kNotifyKey = 2,
    kNotifySleepMinutes = 24,
};

constexpr unsigned kMenuSleepMinutes = 184;

int SignedByte(int value) {
    return static_cast<signed char>(value);
}

}  // namespace

CTVUICtrl::CTVUICtrl() : controller_(std::make_unique<TvController>(this)) {}

CTVUICtrl::~CTVUICtrl() = default;

int CTVUICtrl::Notify(unsigned type, char* data, unsigned len, int value) {
    TvController& tv = *controller_;
    switch (type) {
        case kNotifyCreateEngine: {
            unsigned handle = 0;
            CreateMediaWrapper(kMediaTv, &handle);
            tv.engine.store(handle);
            SetMediaWrapperCallback(handle, &TvMediaEventCallback);
            break;
        }
        case kNotifyHostCallback:
            if (data) {
                tv.hostCallback.store(reinterpret_cast<HostCallback>(data));
                tv.Host(7);
            }
            break;
        case kNotifyKey:
            if (!tv.keysBlocked.load()) {
                PushUiEvent(MakeUiEvent(kUiEventKey, 2, SignedByte(static_cast<int>(len)),
                                        SignedByte(value), data, len));
            }
            break;
        case kNotifySleepMinutes: {
            std::lock_guard<std::recursive_mutex> guard(tv.serial);
            tv.sleepMinutes = value;
            tv.Menu(kMenuSleepMinutes, nullptr, &tv.sleepMinutes, nullptr, true);
            break;
        }
        default:
            break;
    }
    return 0;
}

int CTVUICtrl::MessageHandler(CUIMediaType type, CUICtrlCmdSet command, int p1, int p2, void* p3) {
    if (type != kMediaTv) return 0;
    TvController& tv = *controller_;
    std::lock_guard<std::recursive_mutex> guard(tv.serial);
    tv.HandleMessage(command, p1, p2, p3);
    return 0;
}

extern "C" CUICTRL* ZaqCreateTvController() {
    return new CTVUICtrl();
}
