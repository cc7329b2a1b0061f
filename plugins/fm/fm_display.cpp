// The controller's drawing: on-screen commands, the setup menu, the panel, and showing
// a frequency or a favourite number.
#include <cstdio>

#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_menu_commands.h"

namespace sonidra {

int FmController::Osd(int command, void* argument) {
    return osd_ ? osd_->Execute(command, argument, 0, 0, 0) : -1;
}

void FmController::Menu(unsigned command, const void* a1, const void* a2, const void* a3,
                        const void* a4) {
    if (menu_) menu_->Command(command, a1, a2, a3, a4);
}

void FmController::Panel(CUIPanelCtrlCmd command, int value, int flag) {
    if (panel_) panel_->PanelDisplay(command, PanelValue(value), flag);
}

void FmController::Flip() {
    if (painter_) painter_->FlipOntoScreen();
}

void FmController::ShowFrequency(int channel, int panelFlag) {
    std::string text = band.Text(channel);
    Osd(kOsdFrequency, &text[0]);
    Panel(kPanelFrequency, band.Hertz(channel), panelFlag);
    Flip();
}

void FmController::ShowFavouriteNumber(int slot) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.", slot + 1);
    Osd(kOsdFavourite, text);
}

void FmController::ClearFavouriteNumber() {
    char empty[] = "";
    Osd(kOsdFavourite, empty);
}

void FmController::LeaveMenu() {
    menuMode = false;
    Menu(kFmMenuClose);
    Osd(kOsdRedrawAll);
}

}  // namespace sonidra
