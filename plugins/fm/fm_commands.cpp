// The FM engine's command table: tuning, seeking, the radio's start and stop, audio
// input and band. Sound commands (properties, volume, mute) are in fm_sound_commands.cpp.
#include <cstdint>

#include "plugins/fm/fm_sound_commands.h"
#include "plugins/fm/fm_wrapper_state.h"

namespace sonidra {
namespace {

constexpr int kClosedEventSet = 13;

// in carries a number by value unless a command says it points to one.
int InValue(const CommandArgs& a) {
    return static_cast<int>(reinterpret_cast<intptr_t>(a.in));
}

int ChannelListCount(FmWrapperState& s, const CommandArgs&) {
    int n = 0;
    ZAQ_GetChannelListNum(s.tuner.Handle(), &n);
    return n;
}

int SelectChannel(FmWrapperState& s, const CommandArgs& a) {
    const int channel = InValue(a);
    if (channel < 0 || channel > s.tuner.ChannelCount() - 1) return 1;
    ZAQ_SelectChannel(s.tuner.Handle(), channel, 0);
    return 0;
}

int SelectByFrequency(FmWrapperState& s, const CommandArgs& a) {
    ZAQ_SelectChannelByFreq(s.tuner.Handle(), InValue(a));
    return 0;
}

int SignalLevel(FmWrapperState& s, const CommandArgs& a) {
    if (a.HasOut()) a.WriteOut(ZAQ_ScanChannel(s.tuner.Handle(), InValue(a)));
    return 0;
}

int QueueSeek(FmWrapperState& s, const CommandArgs& a, int command) {
    s.seeks.Append(command, InValue(a), static_cast<const int*>(a.out));
    return 0;
}

int SeekUp(FmWrapperState& s, const CommandArgs& a) {
    return QueueSeek(s, a, kCommandSeekUp);
}

int SeekDown(FmWrapperState& s, const CommandArgs& a) {
    return QueueSeek(s, a, kCommandSeekDown);
}

int StopSeek(FmWrapperState& s, const CommandArgs&) {
    s.stopRequest.store(true);
    return 0;
}

// Two channels up, wrapping past the top to 0.
int NextChannel(FmWrapperState& s, const CommandArgs& a) {
    const int next = InValue(a) + 2;
    a.WriteOut(next > s.tuner.ChannelCount() ? 0 : next);
    return 0;
}

// Two channels down, wrapping below 0 to the top.
int PreviousChannel(FmWrapperState& s, const CommandArgs& a) {
    const int previous = InValue(a) - 2;
    a.WriteOut(previous < 0 ? s.tuner.ChannelCount() - 1 : previous);
    return 0;
}

int AudioInput(FmWrapperState& s, const CommandArgs&) {
    int source = 0;
    ZAQ_GetAudioInputSource(s.tuner.Handle(), &source);
    return source;
}

int SetAudioInput(FmWrapperState& s, const CommandArgs& a) {
    ZAQ_SetAudioInputSource(s.tuner.Handle(), InValue(a));
    return 0;
}

int SetBandStart(FmWrapperState& s, const CommandArgs& a) {
    double start = 0;
    if (a.ReadIn(&start, true)) s.tuner.SetBandStart(start);
    return 0;
}

int SetChannelCount(FmWrapperState& s, const CommandArgs& a) {
    int count = 0;
    if (a.ReadIn(&count, true)) s.tuner.SetChannelCount(count);
    return 0;
}

int StartRadio(FmWrapperState& s, const CommandArgs& a) {
    if (s.tuner.Open() != 0) return 1;
    s.tuner.StartDirectPlay();
    int channel = 0;
    a.ReadIn(&channel);
    ZAQ_SelectChannel(s.tuner.Handle(), channel, 0);
    return 0;
}

int StopRadio(FmWrapperState& s, const CommandArgs&) {
    s.StopRadio();
    return 0;
}

int CloseRadio(FmWrapperState& s, const CommandArgs&) {
    s.StopRadio();
    s.seeks.Clear();
    s.Report(kClosedEventSet, 0, 0);
    return 0;
}

struct CommandEntry {
    unsigned command;
    CommandHandler handler;
};

constexpr CommandEntry kCommands[] = {
    {30, ChannelListCount}, {31, SelectChannel}, {33, SelectByFrequency}, {34, SignalLevel},
    {37, SeekUp},           {38, SeekDown},      {39, StopSeek},          {40, NextChannel},
    {41, PreviousChannel},  {44, AudioInput},    {50, SetAudioInput},     {57, SetBandStart},
    {58, SetChannelCount},  {74, StartRadio},    {81, StopRadio},         {86, CloseRadio},
    {115, SetProperty},     {116, GetProperty},  {122, VolumeUp},         {123, VolumeDown},
    {124, SetMute},         {125, SetVolume},    {126, GetVolume},
};

}  // namespace

CommandHandler FindCommandHandler(unsigned command) {
    for (const CommandEntry& entry : kCommands)
        if (entry.command == command) return entry.handler;
    return nullptr;
}

}  // namespace sonidra
