// The FM engine's sound commands: tuner properties, volume 0..16 and mute.
#pragma once

#include "plugins/fm/fm_wrapper_state.h"

namespace sonidra {

int SetProperty(FmWrapperState& s, const CommandArgs& a);  // 115: in -> id, value in inSize
int GetProperty(FmWrapperState& s, const CommandArgs& a);  // 116: in -> id; the value
int VolumeUp(FmWrapperState& s, const CommandArgs& a);     // 122: out <- new volume
int VolumeDown(FmWrapperState& s, const CommandArgs& a);   // 123: out <- new volume
int SetMute(FmWrapperState& s, const CommandArgs& a);      // 124: in by value
int SetVolume(FmWrapperState& s, const CommandArgs& a);    // 125: in -> volume
int GetVolume(FmWrapperState& s, const CommandArgs& a);    // 126: out <- volume

}  // namespace sonidra
