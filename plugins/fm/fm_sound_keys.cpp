// Volume and mute from the keys. A volume key first undoes a mute the listener chose,
// so the new level is heard.
#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_controller.h"

namespace sonidra {

void FmController::Volume(bool up) {
    if (muted) {
        muted = false;
        Engine(kFmSetMute, nullptr);
        Osd(kOsdMuteOff);
    }
    int volume = 0;
    Engine(up ? kFmVolumeUp : kFmVolumeDown, nullptr, &volume);
    Osd(kOsdVolume, &volume);
    Flip();
    Panel(kPanelVolume, volume, 0);
}

void FmController::ToggleMute() {
    muted = !muted;
    Engine(kFmSetMute, muted ? reinterpret_cast<void*>(1) : nullptr);
    int volume = 0;
    Engine(kFmGetVolume, nullptr, &volume);
    if (muted) {
        Panel(kPanelMuteOn, 0, 0);
        Osd(kOsdMuteOn);
    } else {
        Panel(kPanelMuteOff, 0, 0);
        Panel(kPanelVolume, volume, 0);
        Osd(kOsdMuteOff);
    }
    Flip();
}

}  // namespace sonidra
