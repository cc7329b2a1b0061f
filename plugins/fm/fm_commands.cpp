// The FM engine's command table: tuning, seeking, the radio's start and stop, audio
// input and band. Sound commands (properties, volume, mute) are in fm_sound_commands.cpp.
#include <cstdint>

#include "interfaces/media_types.h"
#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_sound_commands.h"
#include "plugins/fm/fm_wrapper_state.h"

namespace sonidra {
namespace {

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
    return QueueSeek(s, a, kFmSeekUp);
}

int SeekDown(FmWrapperState& s, const CommandArgs& a) {
    return QueueSeek(s, a, kFmSeekDown);
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
    s.Report(kCmdSetEngineClosed, 0, 0);
    return 0;
}

struct CommandEntry {
    unsigned command;
    CommandHandler handler;
};

constexpr CommandEntry kCommands[] = {
    {kFmGetChannelCount, ChannelListCount},
    {kFmSelectChannel, SelectChannel},
    {kFmSelectByFrequency, SelectByFrequency},
    {kFmSignalLevel, SignalLevel},
    {kFmSeekUp, SeekUp},
    {kFmSeekDown, SeekDown},
    {kFmStopSeek, StopSeek},
    {kFmNextChannel, NextChannel},
    {kFmPreviousChannel, PreviousChannel},
    {kFmGetAudioInput, AudioInput},
    {kFmSetAudioInput, SetAudioInput},
    {kFmSetBandStart, SetBandStart},
    {kFmSetChannelCount, SetChannelCount},
    {kFmStartRadio, StartRadio},
    {kFmStopRadio, StopRadio},
    {kFmCloseRadio, CloseRadio},
    {kFmSetProperty, SetProperty},
    {kFmGetProperty, GetProperty},
    {kFmVolumeUp, VolumeUp},
    {kFmVolumeDown, VolumeDown},
    {kFmSetMute, SetMute},
    {kFmSetVolume, SetVolume},
    {kFmGetVolume, GetVolume},
};

}  // namespace

CommandHandler FindCommandHandler(unsigned command) {
    for (const CommandEntry& entry : kCommands)
        if (entry.command == command) return entry.handler;
    return nullptr;
}

}  // namespace sonidra
