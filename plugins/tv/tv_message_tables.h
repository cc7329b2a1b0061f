// The sub-command tables of MessageHandler commands 3 (menu and engine
// reports) and 15 (menu requests): one small handler per sub-command.
#pragma once

#include "plugins/tv/tv_controller.h"

using TvSubHandler = void (*)(TvController& tv, int p2, void* p3);

struct TvSubEntry {
    int subCommand;
    TvSubHandler handler;
    // Acts only when the tuner is the video input (engine 43 first).
    bool tunerOnly;
};

// Runs the entry for p1 in table; unknown sub-commands are ignored.
void RunSubCommand(TvController& tv, const TvSubEntry* table, int size, int p1, int p2, void* p3);

void HandleMenuReport(TvController& tv, int p1, int p2, void* p3);
void HandleMenuRequest(TvController& tv, int p1, int p2, void* p3);
