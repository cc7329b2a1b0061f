// CUIFMPanel: carries out the FM screen's on-screen commands on the panel's widgets
// and mirrors what they show into the host's current state.
#include <ctime>
#include <map>

#include "sim/host/host_world.h"

namespace {

// Outcome of one command: the journal's argument text, or refused.
struct Outcome {
    bool done = true;
    std::string argument = "0";
};

using Handler = Outcome (*)(CUIFMPanel& panel, void* argument);

template <typename Widget>
Widget* Child(CUIFMPanel& panel, const char* entry) {
    return dynamic_cast<Widget*>(panel.FindByEntry(entry));
}

Outcome Refused() {
    return Outcome{false, "null"};
}

Outcome SetMute(CUIFMPanel& panel, bool on) {
    if (auto* toggle = Child<CUIToggle>(panel, "Mute")) toggle->SetOn(on);
    hostsim::WithState([&](hostsim::State& s) { s.fmMuted = on; });
    return {};
}

Outcome SetVolume(CUIFMPanel& panel, void* argument) {
    if (!argument) return Refused();
    int level = *static_cast<int*>(argument);
    auto* bar = Child<CUIVolumeBar>(panel, "Volume");
    if (bar) bar->SetLevel(level);
    int shown = bar ? bar->Level() : level;
    hostsim::WithState([&](hostsim::State& s) { s.fmVolume = shown; });
    return Outcome{true, std::to_string(level)};
}

std::string TimeText(const void* argument, const char* format) {
    char text[64] = "";
    std::strftime(text, sizeof text, format, static_cast<const std::tm*>(argument));
    return text;
}

Outcome SetDate(CUIFMPanel& panel, void* argument) {
    if (!argument) return Refused();
    auto* date = Child<CUIDate>(panel, "Date");
    std::string text = TimeText(argument, date && date->Format() != 0 ? "%d/%m/%Y" : "%Y/%m/%d");
    if (date) date->SetText(text);
    hostsim::WithState([&](hostsim::State& s) { s.date = text; });
    return Outcome{true, text};
}

Outcome SetClock(CUIFMPanel& panel, void* argument) {
    if (!argument) return Refused();
    auto* clock = Child<CUIClock>(panel, "Clock");
    std::string text = TimeText(argument, clock && clock->Format() != 0 ? "%I:%M %p" : "%H:%M");
    if (clock) clock->SetText(text);
    hostsim::WithState([&](hostsim::State& s) { s.clock = text; });
    return Outcome{true, text};
}

Outcome SetFrequency(CUIFMPanel& panel, void* argument) {
    if (!argument) return Refused();
    std::string text = static_cast<const char*>(argument);
    if (auto* label = Child<CUILabel>(panel, "Current Channel")) label->SetText(text);
    hostsim::WithState([&](hostsim::State& s) { s.fmFrequency = text; });
    return Outcome{true, text};
}

Outcome SetFavourite(CUIFMPanel& panel, void* argument) {
    if (!argument) return Refused();
    std::string text = static_cast<const char*>(argument);
    if (auto* label = Child<CUILabel>(panel, "Favorite Channel Number")) label->SetText(text);
    hostsim::WithState([&](hostsim::State& s) { s.fmFavourite = text; });
    return Outcome{true, text};
}

const std::map<int, Handler>& Handlers() {
    static const std::map<int, Handler> handlers = {
        {8, [](CUIFMPanel& p, void*) { return SetMute(p, true); }},
        {22, [](CUIFMPanel& p, void*) { return SetMute(p, false); }},
        {32, SetVolume},
        {35, SetDate},
        {36, SetClock},
        {38, SetFrequency},
        {200, SetFavourite},
    };
    return handlers;
}

}  // namespace

CUIFMPanel::CUIFMPanel(CUIContainer* parent, int id, const std::string& image, int x, int y,
                       int width, int height, const char* name, int layer, bool visible)
    : CUIContainer(parent, "CUIFMPanel", "id " + std::to_string(id), name ? name : "",
                   ZaqRect{x, y, width, height}, layer, visible),
      image_(image) {}

int CUIFMPanel::Execute(int, int command, void* argument, int, int, int) {
    auto handler = Handlers().find(command);
    Outcome outcome;
    if (handler != Handlers().end()) outcome = handler->second(*this, argument);
    hostsim::Record("fmpanel " + std::to_string(command) + " " + outcome.argument);
    return outcome.done ? 0 : -1;
}
