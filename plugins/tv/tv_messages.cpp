// MessageHandler's first level: which table handles each command set.
#include "plugins/common/engine_table.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_message_tables.h"

namespace {

// The engine closed the tuner: the engine goes, the screen is cleared, every
// pending event is dropped and the host learns that TV has ended.
void EngineClosed(TvController& tv, int, int, void*) {
    unsigned handle = tv.engine.exchange(0);
    if (handle) DestroyMediaWrapper(&handle);
    if (tv.painter) tv.painter->ClearDisplay(true);
    ClearUiEvents();
    tv.Host(kCmdSetEngineClosed);
}

void PatchCheck(TvController& tv, int, int, void*) {
    CheckForPatch(tv);
}

using MessageSet = void (*)(TvController& tv, int p1, int p2, void* p3);

struct MessageSetEntry {
    int command;
    MessageSet handler;
};

constexpr MessageSetEntry kMessageSets[] = {
    {kCmdSetMenu, HandleMenuReport},
    {kCmdSetEngineClosed, EngineClosed},
    {kCmdSetSettings, HandleMenuRequest},
    {kCmdSetPatch, PatchCheck},
};

}  // namespace

void RunSubCommand(TvController& tv, const TvSubEntry* table, int size, int p1, int p2, void* p3) {
    for (int i = 0; i < size; ++i) {
        if (table[i].subCommand != p1) continue;
        if (table[i].tunerOnly && !TunerOnly(tv)) return;
        table[i].handler(tv, p2, p3);
        return;
    }
}

void TvController::HandleMessage(int code, int p1, int p2, void* p3) {
    for (const MessageSetEntry& entry : kMessageSets) {
        if (entry.command == code) {
            entry.handler(*this, p1, p2, p3);
            return;
        }
    }
}
