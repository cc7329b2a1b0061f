// Draws the FM screen as a box of text.
#include "apps/fm_screen.h"

#include <cstdio>

#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr int kWidth = 44;
constexpr int kVolumeLevels = 17;
constexpr int kSeekingFlag = 999;

std::string Padded(const std::string& text) {
    std::string line = "| " + text;
    if (line.size() < kWidth - 1) line.append(kWidth - 1 - line.size(), ' ');
    return line + "|\n";
}

std::string Border() {
    return "+" + std::string(kWidth - 2, '-') + "+\n";
}

// Sixteen cells, one filled per level above 0.
std::string VolumeBar(int volume) {
    std::string bar = "[";
    for (int level = 1; level < kVolumeLevels; ++level) bar += level <= volume ? '#' : '.';
    return bar + "] " + std::to_string(volume);
}

}  // namespace

std::string FmScreenText() {
    const hostsim::State s = hostsim::CurrentState();
    const std::string preset = s.fmFavourite.empty() ? "   " : "P" + s.fmFavourite;
    const std::string frequency = s.fmFrequency.empty() ? "--.-" : s.fmFrequency;
    const std::string seeking = s.frequencyFlag == kSeekingFlag ? "  seeking" : "";
    std::string text = Border();
    text += Padded("FM RADIO   " + s.clock + "   " + s.date);
    text += Padded("");
    text += Padded(preset + "    " + frequency + " MHz" + seeking);
    text += Padded("");
    text += Padded(std::string(s.fmMuted ? "MUTE" : "    ") + "  vol " + VolumeBar(s.fmVolume));
    text += Border();
    return text;
}

void PrintFmScreen(const std::string& label) {
    std::printf("[%s]\n%s", label.c_str(), FmScreenText().c_str());
    std::fflush(stdout);
}

}  // namespace host
