// The TV engine's command table and the checks every command passes first.
#include <cstdio>

#include "plugins/tv/dvr_commands.h"

namespace {

struct DvrCommandEntry {
    unsigned command;
    DvrHandler handler;
    // Runs with the tuner closed: starting opens it, and closing a closed
    // tuner does nothing, so an exit before TV started still reports.
    bool withoutTuner;
};

constexpr DvrCommandEntry kDvrCommands[] = {
    {kDvrGetChannelCount, DvrGetChannelCount, false},
    {kDvrSelectChannel, DvrSelectChannel, false},
    {kDvrFineTune, DvrFineTune, false},
    {kDvrSelectByFrequency, DvrSelectByFrequency, false},
    {kDvrScanChannel, DvrScanChannel, false},
    {kDvrStartScan, DvrStartScanThread, false},
    {kDvrStopScan, DvrStopScanThread, false},
    {kDvrGetVideoSource, DvrGetVideoSource, false},
    {kDvrGetAudioSource, DvrGetAudioSource, false},
    {kDvrGetVideoType, DvrGetVideoType, false},
    {kDvrGetCountry, DvrGetCountry, false},
    {kDvrGetInputType, DvrGetInputType, false},
    {kDvrSetInputType, DvrSetInputType, false},
    {kDvrSetVideoSource, DvrSetVideoSource, false},
    {kDvrSetAudioSource, DvrSetAudioSource, false},
    {kDvrSetVideoType, DvrSetVideoType, false},
    {kDvrSetCountrySearch, DvrSetCountrySearch, false},
    {kDvrSetCountry, DvrSetCountry, false},
    {kDvrGetSoundMode, DvrGetSoundMode, false},
    {kDvrSetSoundMode, DvrSetSoundMode, false},
    {kDvrFrameCapture, DvrFrameCapture, false},
    {kDvrGetState, DvrGetState, false},
    {kDvrGetPlaybackStatus, DvrGetPlaybackStatus, false},
    {kDvrStartTv, DvrStartTv, true},
    {kDvrBackwardScan, DvrBackwardScan, false},
    {kDvrForwardScan, DvrForwardScan, false},
    {kDvrPauseToggle, DvrPauseToggle, false},
    {kDvrClose, DvrCloseOnly, true},
    {kDvrCloseAndReport, DvrCloseAndReport, true},
    {kDvrTimeSearch, DvrTimeSearch, false},
    {kDvrSetPicture, DvrSetPicture, false},
    {kDvrGetPicture, DvrGetPicture, false},
    {kDvrPictureDown, DvrPictureDown, false},
    {kDvrPictureUp, DvrPictureUp, false},
    {kDvrVolumeUp, DvrVolumeUp, false},
    {kDvrVolumeDown, DvrVolumeDown, false},
    {kDvrMute, DvrMute, false},
    {kDvrSetVolume, DvrSetVolume, false},
    {kDvrGetVolume, DvrGetVolume, false},
};

const DvrCommandEntry* FindCommand(unsigned command) {
    for (const DvrCommandEntry& entry : kDvrCommands) {
        if (entry.command == command) return &entry;
    }
    return nullptr;
}

}  // namespace

int DvrFail(const char* message) {
    std::printf("%s\n", message);
    std::fflush(stdout);
    return -1;
}

int DispatchDvrCommand(DvrEngine& engine, unsigned command, void* in, int inSize, void* out) {
    const DvrArgs args{in, inSize, out};
    const DvrCommandEntry* entry = FindCommand(command);
    if (!engine.Has(kDvrTunerOpen) && !(entry && entry->withoutTuner)) {
        args.WriteOut(-1);
        return -1;
    }
    if (!entry) return DvrFail("err: Unknown CmdID");
    return entry->handler(engine, args);
}
