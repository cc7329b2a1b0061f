// The FM key handler: radio off, menu mode, typing, then the key table.
#include <cstring>

#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_menu_commands.h"
#include "plugins/fm/fm_ui_queue.h"

namespace sonidra {
namespace {

enum : unsigned char {
    kKeyLeft = 28,
    kKeyRight = 29,
    kKeyUp = 30,
    kKeyDown = 31,
    kKeyEnter = 10,
    kKeyMenuExit = 225,
};

using KeyAction = void (*)(FmController& c, const char* key, int length);

struct KeyEntry {
    unsigned char key;
    KeyAction action;
};

void Start(FmController& c, const char*, int) {
    c.StartRadio();
}
void Close(FmController& c, const char*, int) {
    c.Engine(kFmCloseRadio);
}
void StopSeek(FmController& c, const char*, int) {
    c.Engine(kFmStopSeek);
}
void Mute(FmController& c, const char*, int) {
    c.ToggleMute();
}
void OpenMenu(FmController& c, const char*, int) {
    c.menuMode = true;
    c.Menu(kFmMenuOpen);
    c.Flip();
}
void SeekDown(FmController& c, const char*, int) {
    c.Seek(false);
}
void SeekUp(FmController& c, const char*, int) {
    c.Seek(true);
}
void StepDown(FmController& c, const char*, int) {
    c.Step(false);
}
void StepUp(FmController& c, const char*, int) {
    c.Step(true);
}
void Typed(FmController& c, const char* key, int length) {
    c.TypedEntry(key, length);
}
void NextFavourite(FmController& c, const char*, int) {
    c.Favourite(true);
}
void PreviousFavourite(FmController& c, const char*, int) {
    c.Favourite(false);
}
void VolumeUp(FmController& c, const char*, int) {
    c.Volume(true);
}
void VolumeDown(FmController& c, const char*, int) {
    c.Volume(false);
}

constexpr KeyEntry kKeys[] = {
    {'q', Start},
    {'x', Close},
    {'s', StopSeek},
    {'f', Mute},
    {'S', OpenMenu},
    {'[', SeekDown},
    {']', SeekUp},
    {'<', StepDown},
    {'>', StepUp},
    {'0', Typed},
    {'1', Typed},
    {'2', Typed},
    {'3', Typed},
    {'4', Typed},
    {'5', Typed},
    {'6', Typed},
    {'7', Typed},
    {'8', Typed},
    {'9', Typed},
    {kKeyUp, NextFavourite},
    {'(', NextFavourite},
    {kKeyDown, PreviousFavourite},
    {')', PreviousFavourite},
    {'+', VolumeUp},
    {'-', VolumeDown},
};

// Arrows and Enter move through the menu; 'x' closes the radio from it.
struct MenuKey {
    unsigned char key;
    unsigned command;
};
constexpr MenuKey kMenuKeys[] = {
    {kKeyLeft, kFmMenuKeyLeft}, {kKeyRight, kFmMenuKeyRight}, {kKeyUp, kFmMenuKeyUp},
    {kKeyDown, kFmMenuKeyDown}, {kKeyEnter, kFmMenuEnter},
};

void MenuKeyPressed(FmController& c, unsigned char key) {
    for (const MenuKey& entry : kMenuKeys) {
        if (entry.key != key) continue;
        c.Menu(entry.command);
        c.Flip();
        return;
    }
    if (key == 'x') {
        c.menuMode = false;
        c.Menu(kFmMenuClose);
        c.Engine(kFmCloseRadio);
    } else if (key == 'S' || key == kKeyMenuExit) {
        c.LeaveMenu();
        c.Flip();
    }
}

}  // namespace

int FmController::HandleKey(const char* key, int length, int complete) {
    if (length <= 0) return kKeyRefused;
    if (length > static_cast<int>(kUiPayloadBytes)) length = kUiPayloadBytes;
    const unsigned char first = static_cast<unsigned char>(key[0]);
    if (!tunerOn && first != 'q' && first != 'x') return kKeyRefused;
    if (menuMode) {
        MenuKeyPressed(*this, first);
        return 0;
    }
    if (!complete) {
        TypedDigits(key, length);
        return 0;
    }
    for (const KeyEntry& entry : kKeys) {
        if (entry.key != first) continue;
        entry.action(*this, key, length);
        break;
    }
    return 0;
}

}  // namespace sonidra
