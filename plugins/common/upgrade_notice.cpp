// The upgrade notice and its adjustable pause.
#include "plugins/common/upgrade_notice.h"

#include <atomic>

#include "interfaces/tuner_service.h"
#include "plugins/common/sleep_ms.h"

namespace {

constexpr unsigned kMenuMessage = 91;
constexpr int kUpgradeDone = 1;
constexpr int kUpgradeDoneMessage = 29;
constexpr int kUpgradeOtherMessage = 30;

std::atomic<int> gNoticeDelayMs{4000};

void Send(CSetupMenuMediator* menu, unsigned command, const void* a1) {
    if (menu) menu->Command(command, a1, nullptr, nullptr, nullptr);
}

void Flip(CUIPainter* painter) {
    if (painter) painter->FlipOntoScreen();
}

}  // namespace

int NoticeDelayMs() {
    return gNoticeDelayMs.load();
}

void SetNoticeDelayMs(int ms) {
    gNoticeDelayMs.store(ms);
}

void ShowUpgradeNotice(CSetupMenuMediator* menu, unsigned closeCommand, CUIPainter* painter) {
    const int status = getRegInt(kKeyUpgradeStatus, 0);
    if (status == 0) return;
    const int message = status == kUpgradeDone ? kUpgradeDoneMessage : kUpgradeOtherMessage;
    Send(menu, kMenuMessage, &message);
    Flip(painter);
    SleepMilliseconds(NoticeDelayMs());
    Send(menu, closeCommand, nullptr);
    Flip(painter);
    setRegInt(kKeyUpgradeStatus, 0);
}
