// The TV controller's construction and destruction, each in the order the
// host expects.
#include "plugins/tv/tv_controller.h"

#include "plugins/common/engine_table.h"
#include "plugins/common/upgrade_notice.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr const char kMenuLayout[] = "SKIN00/XML/SETUPMENU/TV/TV_SETING_MENU.xml";
constexpr const char kMenuLayout800x600[] = "SKIN00_800x600/XML/SETUPMENU/TV/TV_SETING_MENU.xml";
constexpr int kResolution800x600 = 3;

constexpr unsigned kMenuInstallCallback = 81;
constexpr unsigned kMenuClose = 66;

}  // namespace

TvController::TvController(CUICTRL* owner) : owner(owner) {
    registration = CZAQRegisterFactory::RegisterFactory(kMediaTv);
    language = CZAQLangTrans::GetOrCreateObject();
    videoInput = getRegInt(kKeyVideoInput, 0);
    painter.reset(CUIPainter::GetInstance());
    const bool large = getRegInt(kKeyResolution, 0) == kResolution800x600;
    setupMenu.reset(
        CZAQTVSetupMenuFactory::TVSetupMenuFactory(large ? kMenuLayout800x600 : kMenuLayout));
    setupMenu->SetUiCtrl(owner);
    Menu(kMenuInstallCallback, MenuCallbackWord(&TvMediaEventCallback));
    if (registration) registration->InstallCallback(81, &TvMediaEventCallback, 0, 0, 0);
    ShowUpgradeReport();
    ClearUiEvents();
    StartThread();
    panel = CUIPanelCtrl::GetOrCreateObject();
    Panel(kPanelVolumeAtStart, getRegInt(kKeyTvVolume, 0), 0);
}

TvController::~TvController() {
    StopThread();
    ClearUiEvents();
    if (registration) registration->Release();
    setupMenu.reset();
    unsigned handle = engine.exchange(0);
    if (handle) DestroyMediaWrapper(&handle);
    CZAQLangTrans::DestroyObject();
    if (panel) {
        panel->PanelDisplay(kPanelClose, nullptr, 0);
        CUIPanelCtrl::DestroyObject();
    }
    painter.reset();
    Host(8);
}

void TvController::ShowUpgradeReport() {
    ShowUpgradeNotice(setupMenu.get(), kMenuClose, nullptr);
}
