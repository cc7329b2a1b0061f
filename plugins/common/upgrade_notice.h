// The notice both controllers show while they are built when the last upgrade left
// a result behind, and the pause it stays on screen.
#pragma once

#include "interfaces/host_framework.h"

// The settings key the upgrade leaves its result under (1 done, other nonzero: not).
constexpr const char kKeyUpgradeStatus[] = "SolvaneON_UPGRADESTATUS";

// How long the notice stays (TV also waits this long before showing the channel
// after an unknown key). Default 4000 ms; tests shorten it.
int NoticeDelayMs();
void SetNoticeDelayMs(int ms);

// With SolvaneON_UPGRADESTATUS nonzero: menu 91 with message 29 (status 1) or 30
// (any other), the notice delay, menu closeCommand, and the status cleared. With a
// painter the screen is flipped after the message and after the close. Nothing
// happens with the status 0; a missing menu skips the menu commands only.
void ShowUpgradeNotice(CSetupMenuMediator* menu, unsigned closeCommand, CUIPainter* painter);
