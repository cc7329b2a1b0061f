// The setup menu's actions (command set 15): sleep timer, language, leaving the menu.
#include "plugins/common/language_defaults.h"
#include "plugins/fm/fm_controller.h"

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
    c.Menu(180, nullptr, nullptr, nullptr, c.OsdName());
}
void Language(FmController& c, int value) {
    c.ChangeLanguage(value);
}
void LeaveAndTell(FmController& c, int value) {
    Leave(c, value);
    if (value == 0 && c.hostCallback.load()) c.NotifyHost(22);
}

struct MenuActionEntry {
    int code;
    MenuActionFn action;
};

constexpr MenuActionEntry kMenuActions[] = {
    {64, SleepTimer}, {72, Leave},    {76, Nothing},      {83, Redraw},
    {86, Leave},      {87, Language}, {89, LeaveAndTell},
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
    Menu(184, nullptr, &minutes, nullptr, OsdName());
    NotifyHost(16, sleepSeconds);
}

void FmController::ChangeLanguage(int value) {
    if (value == 1) {
        RestorePreferredLanguage(language_, menu_.get(), OsdName());
        sleepSeconds = 0;
        SleepMinutes().store(0);
        ShowSleepTimerOff(menu_.get(), OsdName());
        NotifyHost(16, 0);
    }
    LeaveMenu();
    Flip();
}

}  // namespace sonidra
