// MessageHandler's dispatch for media 17: menu and seek events (set 3), the engine
// closing (13), setup-menu actions (15) and the patch check (29).
#include <cstdint>

#include "plugins/common/engine_table.h"
#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_menu_commands.h"
#include "plugins/fm/fm_sweep.h"
#include "plugins/fm/fm_ui_queue.h"

namespace sonidra {
namespace {

using EventFn = void (*)(FmController& c, int value);

void OpenSensitivityPage(FmController& c, int value) {
    if (value != 1 || !c.HasMenu()) return;
    c.Menu(kFmMenuOpen, &c.sensitivity);
    c.Flip();
}

void LeaveWithSleepMinutes(FmController& c, int) {
    c.LeaveMenu();
    c.Flip();
    const int minutes = SleepMinutes().load();
    c.Menu(kFmMenuSleepMinutes, nullptr, &minutes, nullptr, c.OsdName());
    c.Menu(kFmMenuChannelNotice, nullptr, &minutes, nullptr, c.OsdName());
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
    c.Engine(kFmSelectChannel, reinterpret_cast<void*>(static_cast<intptr_t>(channel)));
    c.Flip();
}

void SeekEnded(FmController& c, int) {
    c.busy.store(false);
}

void SensitivityChosen(FmController& c, int value) {
    if (UsableSensitivity(value)) c.sensitivity = value;
    c.Osd(kOsdRedrawAll);
    c.Menu(kFmMenuRedraw);
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
    c.Menu(kFmMenuRedraw);
    c.Flip();
}

struct EventEntry {
    int code;
    EventFn handler;
};

constexpr EventEntry kEvents[] = {
    {kFmEventSensitivityPage, OpenSensitivityPage},
    {kFmEventSleepNotice, LeaveWithSleepMinutes},
    {kFmEventMenuClosed, MenuClosed},
    {kSeekEventPassed, SeekPassed},
    {kSeekEventTune, SeekTune},
    {kSeekEventEnd, SeekEnded},
    {kFmEventSensitivityChosen, SensitivityChosen},
    {kFmEventListFavourites, ListFavourites},
    {kFmEventStoreFavourite, StoreFavourite},
    {kFmEventRedraw, Redraw},
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
        case kCmdSetMenu:
            Event(*this, code, value);
            break;
        case kCmdSetEngineClosed:
            DestroyMediaWrapper(&wrapper);
            if (painter_) painter_->ClearDisplay(true);
            FmUiQueue().Clear();
            NotifyHost(kFmHostEngineClosed);
            break;
        case kCmdSetSettings:
            MenuAction(code, value);
            break;
        case kCmdSetPatch:
            PatchCheck();
            break;
        default:
            break;
    }
}

}  // namespace sonidra
