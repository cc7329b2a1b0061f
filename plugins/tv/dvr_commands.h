// The TV engine's numbered commands: one small handler per command, found
// through a table (dvr_command_table.cpp). Handlers live in files by theme:
// session (start, close), tuning and scan, inputs and country, sound and
// picture, recorder.
#pragma once

#include <cstdint>

#include "plugins/tv/dvr_engine.h"

// The command numbers the controller uses.
enum DvrCommand : unsigned {
    kDvrGetChannelCount = 30,
    kDvrSelectChannel = 31,
    kDvrFineTune = 32,
    kDvrSelectByFrequency = 33,
    kDvrScanChannel = 34,
    kDvrStartScan = 35,
    kDvrStopScan = 36,
    kDvrGetVideoSource = 43,
    kDvrGetAudioSource = 44,
    kDvrGetVideoType = 45,
    kDvrGetCountry = 46,
    kDvrGetInputType = 47,
    kDvrSetInputType = 48,
    kDvrSetVideoSource = 49,
    kDvrSetAudioSource = 50,
    kDvrSetVideoType = 51,
    kDvrSetCountrySearch = 52,
    kDvrSetCountry = 53,
    kDvrGetSoundMode = 55,
    kDvrSetSoundMode = 56,
    kDvrFrameCapture = 65,
    kDvrGetState = 66,
    kDvrGetPlaybackStatus = 68,
    kDvrStartTv = 74,
    kDvrBackwardScan = 75,
    kDvrForwardScan = 76,
    kDvrPauseToggle = 77,
    kDvrClose = 81,
    kDvrCloseAndReport = 86,
    kDvrTimeSearch = 89,
    kDvrSetPicture = 115,
    kDvrGetPicture = 116,
    kDvrPictureDown = 117,
    kDvrPictureUp = 118,
    kDvrVolumeUp = 122,
    kDvrVolumeDown = 123,
    kDvrMute = 124,
    kDvrSetVolume = 125,
    kDvrGetVolume = 126,
};

// The TV volume runs 0 ... kTvMaxVolume.
constexpr int kTvMaxVolume = 31;

// Result of a set sound mode that the tuner did not take.
constexpr int kDvrSoundModeRefused = static_cast<int>(0x80000008u);

struct DvrArgs {
    void* in;
    int inSize;
    void* out;

    // in carrying a number instead of pointing to one.
    int InValue() const { return static_cast<int>(reinterpret_cast<intptr_t>(in)); }
    const int* InInt() const { return static_cast<const int*>(in); }
    const char* InText() const { return static_cast<const char*>(in); }
    // Item i of an argument list passed as in with its item count as inSize;
    // null when in is null or the list is shorter, so no item past the list's
    // end is ever read.
    void* Item(int i) const {
        if (!in || i < 0 || i >= inSize) return nullptr;
        return static_cast<void* const*>(in)[i];
    }
    int* OutInt() const { return static_cast<int*>(out); }
    void WriteOut(int value) const {
        if (out) *OutInt() = value;
    }
};

// Runs one command; the precondition and the unknown-command line included.
int DispatchDvrCommand(DvrEngine& engine, unsigned command, void* in, int inSize, void* out);

// Prints a failure line on standard output and returns -1.
int DvrFail(const char* message);

// True for a slot index the channel tables can hold.
inline bool IsDvrSlot(int slot) {
    return slot >= 0 && slot < kDvrMaxSlots;
}

using DvrHandler = int (*)(DvrEngine& engine, const DvrArgs& args);

// Session.
int DvrStartTv(DvrEngine& engine, const DvrArgs& args);
int DvrCloseOnly(DvrEngine& engine, const DvrArgs& args);
int DvrCloseAndReport(DvrEngine& engine, const DvrArgs& args);
int DvrGetState(DvrEngine& engine, const DvrArgs& args);
// Tuning and scan.
int DvrGetChannelCount(DvrEngine& engine, const DvrArgs& args);
int DvrSelectChannel(DvrEngine& engine, const DvrArgs& args);
int DvrFineTune(DvrEngine& engine, const DvrArgs& args);
int DvrSelectByFrequency(DvrEngine& engine, const DvrArgs& args);
int DvrScanChannel(DvrEngine& engine, const DvrArgs& args);
int DvrStartScanThread(DvrEngine& engine, const DvrArgs& args);
int DvrStopScanThread(DvrEngine& engine, const DvrArgs& args);
// Inputs and country.
int DvrGetVideoSource(DvrEngine& engine, const DvrArgs& args);
int DvrGetAudioSource(DvrEngine& engine, const DvrArgs& args);
int DvrGetVideoType(DvrEngine& engine, const DvrArgs& args);
int DvrGetCountry(DvrEngine& engine, const DvrArgs& args);
int DvrGetInputType(DvrEngine& engine, const DvrArgs& args);
int DvrSetInputType(DvrEngine& engine, const DvrArgs& args);
int DvrSetVideoSource(DvrEngine& engine, const DvrArgs& args);
int DvrSetAudioSource(DvrEngine& engine, const DvrArgs& args);
int DvrSetVideoType(DvrEngine& engine, const DvrArgs& args);
int DvrSetCountrySearch(DvrEngine& engine, const DvrArgs& args);
int DvrSetCountry(DvrEngine& engine, const DvrArgs& args);
// Sound.
int DvrGetSoundMode(DvrEngine& engine, const DvrArgs& args);
int DvrSetSoundMode(DvrEngine& engine, const DvrArgs& args);
int DvrVolumeUp(DvrEngine& engine, const DvrArgs& args);
int DvrVolumeDown(DvrEngine& engine, const DvrArgs& args);
int DvrMute(DvrEngine& engine, const DvrArgs& args);
int DvrSetVolume(DvrEngine& engine, const DvrArgs& args);
int DvrGetVolume(DvrEngine& engine, const DvrArgs& args);
// Picture.
int DvrSetPicture(DvrEngine& engine, const DvrArgs& args);
int DvrGetPicture(DvrEngine& engine, const DvrArgs& args);
int DvrPictureDown(DvrEngine& engine, const DvrArgs& args);
int DvrPictureUp(DvrEngine& engine, const DvrArgs& args);
// Recorder.
int DvrFrameCapture(DvrEngine& engine, const DvrArgs& args);
int DvrGetPlaybackStatus(DvrEngine& engine, const DvrArgs& args);
int DvrBackwardScan(DvrEngine& engine, const DvrArgs& args);
int DvrForwardScan(DvrEngine& engine, const DvrArgs& args);
int DvrPauseToggle(DvrEngine& engine, const DvrArgs& args);
int DvrTimeSearch(DvrEngine& engine, const DvrArgs& args);
