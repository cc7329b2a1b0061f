// Restoring the preferred language and showing the sleep timer off.
#include "plugins/common/language_defaults.h"

namespace {

constexpr unsigned kMenuLanguageChanged = 97;
constexpr unsigned kMenuChannelNotice = 165;
constexpr unsigned kMenuRefresh = 180;
constexpr unsigned kMenuSleepMinutes = 184;

}  // namespace

void RestorePreferredLanguage(CZAQLangTrans* language, CSetupMenuMediator* menu,
                              const char* osdName) {
    if (!language) return;
    const int preferred = language->GetPreferLangID();
    if (language->GetCurrentLangID() == preferred) return;
    language->SetCurrentLangID(preferred);
    if (!menu) return;
    menu->Command(kMenuLanguageChanged, nullptr, nullptr, nullptr, nullptr);
    menu->Command(kMenuRefresh, nullptr, nullptr, nullptr, osdName);
}

void ShowSleepTimerOff(CSetupMenuMediator* menu, const char* osdName) {
    if (!menu) return;
    const int minutes = 0;
    menu->Command(kMenuSleepMinutes, nullptr, &minutes, nullptr, osdName);
    const char empty = 0;
    menu->Command(kMenuChannelNotice, &empty, nullptr, nullptr, osdName);
}
