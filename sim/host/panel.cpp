// CUIPanelCtrl: the host's status panel. Records each command and keeps what it
// shows in the host's current state.
#include <map>

#include "sim/host/host_world.h"

namespace {

int WordNumber(void* value) {
    return static_cast<int>(reinterpret_cast<intptr_t>(value));
}

using Show = void (*)(hostsim::State&, int value, int flag);

// What each panel command changes on the panel.
const std::map<int, Show>& Shows() {
    static const std::map<int, Show> shows = {
        {kPanelVolumeAtStart, [](hostsim::State& s, int v, int) { s.volume = v; }},
        {kPanelFmVolumeAtStart, [](hostsim::State& s, int v, int) { s.volume = v; }},
        {kPanelVolume, [](hostsim::State& s, int v, int) { s.volume = v; }},
        {kPanelMuteOn, [](hostsim::State& s, int, int) { s.muted = true; }},
        {kPanelMuteOff, [](hostsim::State& s, int, int) { s.muted = false; }},
        {kPanelChannel, [](hostsim::State& s, int v, int) { s.channel = v; }},
        {kPanelSoundMode, [](hostsim::State& s, int v, int) { s.soundMode = v; }},
        {kPanelFrequency,
         [](hostsim::State& s, int v, int flag) {
             s.frequencyHz = v;
             s.frequencyFlag = flag;
         }},
    };
    return shows;
}

}  // namespace

CUIPanelCtrl* CUIPanelCtrl::GetOrCreateObject() {
    static CUIPanelCtrl panel;
    hostsim::Acquire("panel");
    hostsim::WithState([](hostsim::State& s) { s.panelOpen = true; });
    hostsim::Record("panel-get");
    return &panel;
}

void CUIPanelCtrl::DestroyObject() {
    // An unmatched destroy is recorded but leaves the panel as it is.
    int remaining = hostsim::Drop("panel");
    if (remaining < 0) {
        hostsim::Record("panel-destroy unmatched");
        return;
    }
    if (remaining == 0) hostsim::WithState([](hostsim::State& s) { s.panelOpen = false; });
    hostsim::Record("panel-destroy");
}

int CUIPanelCtrl::PanelDisplay(CUIPanelCtrlCmd command, void* value, int flag) {
    int number = WordNumber(value);
    hostsim::Record("panel " + std::to_string(static_cast<int>(command)) + " " +
                    std::to_string(number) + " " + std::to_string(flag));
    auto show = Shows().find(command);
    if (show != Shows().end()) {
        hostsim::WithState([&](hostsim::State& s) { show->second(s, number, flag); });
    }
    return 0;
}
