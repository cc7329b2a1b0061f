// The FM engine's command numbers (CFM_WRAPPER::Command), shared by the controller
// that sends them and the command table that handles them (fm_commands.cpp,
// fm_sound_commands.cpp).
#pragma once

namespace sonidra {

enum FmCommand : unsigned {
    kFmGetChannelCount = 30,
    kFmSelectChannel = 31,
    kFmSelectByFrequency = 33,
    kFmSignalLevel = 34,
    kFmSeekUp = 37,
    kFmSeekDown = 38,
    kFmStopSeek = 39,
    kFmNextChannel = 40,
    kFmPreviousChannel = 41,
    kFmGetAudioInput = 44,
    kFmSetAudioInput = 50,
    kFmSetBandStart = 57,
    kFmSetChannelCount = 58,
    kFmStartRadio = 74,
    kFmStopRadio = 81,
    kFmCloseRadio = 86,
    kFmSetProperty = 115,
    kFmGetProperty = 116,
    kFmVolumeUp = 122,
    kFmVolumeDown = 123,
    kFmSetMute = 124,
    kFmSetVolume = 125,
    kFmGetVolume = 126,
};

}  // namespace sonidra
