// The defaults both setup menus restore: the preferred language, and the sleep
// timer shown as off.
#pragma once

#include "interfaces/host_framework.h"

// When the preferred language is not the current one it becomes current and the
// menu hears 97, then 180 with the OSD name. Nothing without a language object.
void RestorePreferredLanguage(CZAQLangTrans* language, CSetupMenuMediator* menu,
                              const char* osdName);

// Menu 184 with 0 minutes and menu 165 with an empty notice, both with the OSD name.
void ShowSleepTimerOff(CSetupMenuMediator* menu, const char* osdName);
