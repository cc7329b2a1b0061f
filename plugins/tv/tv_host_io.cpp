// The TV controller's outlets: engine commands through the engine table, setup
// menu and panel commands, and the host's notification function.
#include <cstdint>

#include "plugins/common/engine_table.h"
#include "plugins/tv/tv_controller.h"

int TvController::Engine(unsigned command, void* in, int inSize, void* out) {
    return MediaWrapperCommand(engine.load(), command, in, inSize, out, 0);
}

int TvController::EngineValue(unsigned command, int value, void* out) {
    return Engine(command, reinterpret_cast<void*>(static_cast<intptr_t>(value)), 0, out);
}

void TvController::Menu(unsigned command, const void* a1, const void* a2, const void* a3,
                        bool withOsd) {
    if (!setupMenu) return;
    setupMenu->Command(command, a1, a2, a3, withOsd ? osdName.c_str() : nullptr);
}

void TvController::Panel(CUIPanelCtrlCmd command, int value, int flag) {
    if (panel) panel->PanelDisplay(command, PanelValue(value), flag);
}

void TvController::PanelOnly(CUIPanelCtrlCmd command) {
    if (panel) panel->PanelDisplay(command, nullptr, 0);
}

void TvController::Host(int event, int value) {
    if (HostCallback fn = hostCallback.load()) fn(8, event, value, 0, 0);
}
