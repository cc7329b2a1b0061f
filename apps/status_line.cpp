// Builds the status line from the host stand-in's current state.
#include "apps/status_line.h"

#include <cstdio>

#include "sim/host/host_journal.h"

namespace host {
namespace {

const char* SoundModeName(int mode) {
    static const char* const kNames[] = {"mono", "stereo", "second language",
                                         "stereo + second language"};
    return mode >= 0 && mode < 4 ? kNames[mode] : "unknown";
}

}  // namespace

std::string TvStatusLine() {
    const hostsim::State state = hostsim::CurrentState();
    return "channel " + std::to_string(state.channel) + " | volume " +
           std::to_string(state.volume) + " | mute " + (state.muted ? "on" : "off") + " | sound " +
           SoundModeName(state.soundMode) + " | menu " + (state.menuOpen ? "open" : "closed");
}

void PrintStatus(const std::string& label) {
    PrintStatusText(label, TvStatusLine());
}

void PrintStatusText(const std::string& label, const std::string& text) {
    std::printf("[%-22s] %s\n", label.c_str(), text.c_str());
    std::fflush(stdout);
}

void PrintJournalTail(size_t lines) {
    const auto journal = hostsim::JournalSnapshot();
    const size_t from = journal.size() > lines ? journal.size() - lines : 0;
    std::printf("host journal: %zu lines, the last %zu:\n", journal.size(), journal.size() - from);
    for (size_t i = from; i < journal.size(); ++i) std::printf("  %s\n", journal[i].c_str());
    std::fflush(stdout);
}

}  // namespace host
