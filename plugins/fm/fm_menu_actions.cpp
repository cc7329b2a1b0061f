// The setup menu's actions (command set 15): sleep timer, language, leaving the menu.
#include "plugins/common/language_defaults.h"
#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_menu_commands.h"

namespace sonidra {
namespace {

using MenuActionFn = void (*)(FmController& c, int value);

void SleepTimer(FmController& c, int value) {
    c.SetSleepTimer(value);
}
void Leave(FmController& c, int) {
    c.LeaveMenu();
    c.Flip();
}
void Nothing(FmController&, int) {}
void Redraw(FmController& c, int) {
    c.menuMode = false;
    c.Osd(kOsdRedrawAll);
    c.Flip();
    c.Menu(kFmMenuRefresh, nullptr, nullptr, nullptr, c.OsdName());
}
void Language(FmController& c, int value) {
    c.ChangeLanguage(value);
}
void LeaveAndTell(FmController& c, int value) {
    Leave(c, value);
    if (value == 0 && c.hostCallback.load()) c.NotifyHost(kFmHostMenuLeft);
}

struct MenuActionEntry {
    int code;
    MenuActionFn action;
};

constexpr MenuActionEntry kMenuActions[] = {
    {kFmActionSleepTimer, SleepTimer},
    {kFmActionLeave, Leave},
    {kFmActionNone, Nothing},
    {kFmActionRedraw, Redraw},
    {kFmActionLeaveToo, Leave},
    {kFmActionLanguage, Language},
    {kFmActionLeaveAndTell, LeaveAndTell},
};

// Sleep-timer choices of the menu: value, seconds.
struct SleepChoice {
    int value;
    int seconds;
};
constexpr SleepChoice kSleepChoices[] = {{0, 0}, {4, 1800}, {5, 3600}};

}  // namespace

void FmController::MenuAction(int code, int value) {
    for (const MenuActionEntry& entry : kMenuActions) {
        if (entry.code != code) continue;
        entry.action(*this, value);
        return;
    }
}

void FmController::SetSleepTimer(int value) {
    for (const SleepChoice& choice : kSleepChoices) {
        if (choice.value != value) continue;
        sleepSeconds = choice.seconds;
        SleepMinutes().store(choice.seconds / 60);
    }
    LeaveMenu();
    Flip();
    const int minutes = SleepMinutes().load();
    Menu(kFmMenuSleepMinutes, nullptr, &minutes, nullptr, OsdName());
    NotifyHost(kFmHostSleepTimer, sleepSeconds);
}

void FmController::ChangeLanguage(int value) {
    if (value == 1) {
        RestorePreferredLanguage(language_, menu_.get(), OsdName());
        sleepSeconds = 0;
        SleepMinutes().store(0);
        ShowSleepTimerOff(menu_.get(), OsdName());
        NotifyHost(kFmHostSleepTimer, 0);
    }
    LeaveMenu();
    Flip();
}

}  // namespace sonidra
