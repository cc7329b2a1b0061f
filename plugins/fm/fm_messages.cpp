// MessageHandler's dispatch for media 17: menu and seek events (set 3), the engine
// closing (13), setup-menu actions (15) and the patch check (29).
#include <cstdint>

#include "plugins/common/engine_table.h"
#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_ui_queue.h"

namespace sonidra {
namespace {

enum : int { kSetEvents = 3, kSetClosed = 13, kSetMenu = 15, kSetPatch = 29 };

using EventFn = void (*)(FmController& c, int value);

void OpenSensitivityPage(FmController& c, int value) {
    if (value != 1 || !c.HasMenu()) return;
    c.Menu(65, &c.sensitivity);
    c.Flip();
}

void LeaveWithSleepMinutes(FmController& c, int) {
    c.LeaveMenu();
    c.Flip();
    const int minutes = SleepMinutes().load();
    c.Menu(184, nullptr, &minutes, nullptr, c.OsdName());
    c.Menu(165, nullptr, &minutes, nullptr, c.OsdName());
}

void MenuClosed(FmController& c, int) {
    c.menuMode = false;
}

void SeekPassed(FmController& c, int channel) {
    c.currentChannel = channel;
    c.ShowFrequency(channel, kPanelSeeking);
    c.Flip();
}

void SeekTune(FmController& c, int channel) {
    c.currentChannel = channel;
    c.ShowFrequency(channel, 0);
    c.Engine(31, reinterpret_cast<void*>(static_cast<intptr_t>(channel)));
    c.Flip();
}

void SeekEnded(FmController& c, int) {
    c.busy.store(false);
}

void SensitivityChosen(FmController& c, int value) {
    if (UsableSensitivity(value)) c.sensitivity = value;
    c.Osd(kOsdRedrawAll);
    c.Menu(83);
    c.Flip();
}

void ListFavourites(FmController& c, int) {
    c.ListFavourites();
}

void StoreFavourite(FmController& c, int slot) {
    c.StoreFavourite(slot);
}

void Redraw(FmController& c, int) {
    c.Osd(kOsdRedrawAll);
    c.Menu(83);
    c.Flip();
}

struct EventEntry {
    int code;
    EventFn handler;
};

constexpr EventEntry kEvents[] = {
    {31, OpenSensitivityPage}, {56, LeaveWithSleepMinutes},
    {60, MenuClosed},          {106, SeekPassed},
    {107, SeekTune},           {108, SeekEnded},
    {110, SensitivityChosen},  {111, ListFavourites},
    {112, StoreFavourite},     {113, Redraw},
};

void Event(FmController& c, int code, int value) {
    for (const EventEntry& entry : kEvents) {
        if (entry.code != code) continue;
        entry.handler(c, value);
        return;
    }
}

}  // namespace

void FmController::HandleMessage(int set, int code, int value, const char*) {
    switch (set) {
        case kSetEvents:
            Event(*this, code, value);
            break;
        case kSetClosed:
            DestroyMediaWrapper(&wrapper);
            if (painter_) painter_->ClearDisplay(true);
            FmUiQueue().Clear();
            NotifyHost(13);
            break;
        case kSetMenu:
            MenuAction(code, value);
            break;
        case kSetPatch:
            PatchCheck();
            break;
        default:
            break;
    }
}

}  // namespace sonidra
