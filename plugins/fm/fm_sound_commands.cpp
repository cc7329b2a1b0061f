// Volume and mute in the tuner. The volume steps may switch the tuner's mute at the
// ends of the range without touching the wrapper's mute flag, so 'f' still toggles from
// what the listener chose.
#include "plugins/fm/fm_sound_commands.h"

#include <algorithm>

#include "plugins/common/tuner_volume.h"

namespace sonidra {
namespace {

int ReadProperty(const FmWrapperState& s, int id) {
    int value = 0;
    ZAQ_GetProperty(s.tuner.Handle(), id, &value);
    return value;
}

void WriteProperty(const FmWrapperState& s, int id, int value) {
    ZAQ_SetProperty(s.tuner.Handle(), id, value);
}

// When the caller asks for the new volume it is read back and remembered.
void ReportVolume(const FmWrapperState& s, const CommandArgs& a) {
    if (!a.HasOut()) return;
    const int volume = ReadProperty(s, kPropertyVolume);
    a.WriteOut(volume);
    setRegInt(kKeyFmVolume, volume);
}

}  // namespace

int SetProperty(FmWrapperState& s, const CommandArgs& a) {
    // inSize carries the value here, not a size.
    if (a.in) WriteProperty(s, *static_cast<const int*>(a.in), a.inSize);
    return 0;
}

int GetProperty(FmWrapperState& s, const CommandArgs& a) {
    if (!a.in) return 0;
    return ReadProperty(s, *static_cast<const int*>(a.in));
}

int VolumeUp(FmWrapperState& s, const CommandArgs& a) {
    int volume = 0;
    StepTunerVolume(s.tuner.Handle(), +1, kMaxVolume, &volume);
    ReportVolume(s, a);
    return 0;
}

int VolumeDown(FmWrapperState& s, const CommandArgs& a) {
    int volume = 0;
    StepTunerVolume(s.tuner.Handle(), -1, kMaxVolume, &volume);
    ReportVolume(s, a);
    return 0;
}

int SetMute(FmWrapperState& s, const CommandArgs& a) {
    const bool muted = a.in != nullptr;
    s.muted.store(muted);
    WriteProperty(s, kPropertyMute, muted ? 1 : 0);
    return 0;
}

int SetVolume(FmWrapperState& s, const CommandArgs& a) {
    int requested = 0;
    if (!a.ReadIn(&requested)) return 0;
    const int volume = std::clamp(requested, 0, kMaxVolume);
    WriteProperty(s, kPropertyVolume, volume);
    setRegInt(kKeyFmVolume, volume);
    return 0;
}

int GetVolume(FmWrapperState& s, const CommandArgs& a) {
    if (a.HasOut()) a.WriteOut(ReadProperty(s, kPropertyVolume));
    return 0;
}

}  // namespace sonidra
