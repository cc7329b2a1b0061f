// The player API of libravelo: every ZAQ_ function journals its call, honours an armed
// fault, and hands the work to the simulated card in libtonvex.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "interfaces/tuner_service.h"
#include "sim/tuner/tonvex/card.h"
#include "sim/tuner/tonvex/journal.h"

using tonvex::Card;
using tonvex::JoinArgs;
using tonvex::Setting;

namespace {

// Journals the call; runs body unless a fault answers it.
template <typename Body>
int Traced(const char* name, const std::string& args, Body&& body) {
    int fault = 0;
    if (tonvex::JournalCall(name, args, &fault)) return fault;
    return body(Card::Instance());
}

std::string WindowAndRect(void* window, const ZaqRect* rect) {
    char text[96];
    if (rect)
        std::snprintf(text, sizeof text, "%p %d %d %d %d", window, rect->left, rect->top,
                      rect->right, rect->bottom);
    else
        std::snprintf(text, sizeof text, "%p (null)", window);
    return text;
}

}  // namespace

extern "C" {

ZAQ_EXPORT int ZAQ_Init(int* handle) {
    return Traced("ZAQ_Init", "", [&](Card& c) { return c.Init(handle); });
}

ZAQ_EXPORT int ZAQ_OpenTuner(int handle, int mode) {
    return Traced("ZAQ_OpenTuner", JoinArgs(mode), [&](Card& c) { return c.Open(handle, mode); });
}

ZAQ_EXPORT int ZAQ_CloseTuner(int handle) {
    return Traced("ZAQ_CloseTuner", "", [&](Card& c) { return c.Close(handle); });
}

ZAQ_EXPORT int ZAQ_Release(int handle) {
    return Traced("ZAQ_Release", "", [&](Card& c) { return c.Release(handle); });
}

ZAQ_EXPORT int ZAQ_InstallCallbackFunction(ZaqEventCallback fn) {
    return Traced("ZAQ_InstallCallbackFunction", fn ? "set" : "null",
                  [&](Card& c) { return c.InstallEventCallback(fn); });
}

ZAQ_EXPORT int ZAQ_DirectPlayStart(int handle, void* window, struct ZaqRect* rect) {
    return Traced("ZAQ_DirectPlayStart", WindowAndRect(window, rect),
                  [&](Card& c) { return c.DirectPlayStart(handle, window, rect); });
}

ZAQ_EXPORT int ZAQ_DirectPlayStop(int handle) {
    return Traced("ZAQ_DirectPlayStop", "", [&](Card& c) { return c.DirectPlayStop(handle); });
}

ZAQ_EXPORT int ZAQ_GetChannelListNum(int handle, int* count) {
    return Traced("ZAQ_GetChannelListNum", "",
                  [&](Card& c) { return c.ChannelCount(handle, count); });
}

ZAQ_EXPORT int ZAQ_SelectChannel(int handle, int index, int offset) {
    return Traced("ZAQ_SelectChannel", JoinArgs(index, offset),
                  [&](Card& c) { return c.SelectChannel(handle, index, offset); });
}

ZAQ_EXPORT int ZAQ_SelectChannelByFreq(int handle, int frequency) {
    return Traced("ZAQ_SelectChannelByFreq", JoinArgs(frequency),
                  [&](Card& c) { return c.SelectByFrequency(handle, frequency); });
}

ZAQ_EXPORT int ZAQ_MicroTuner(int handle, int offset) {
    return Traced("ZAQ_MicroTuner", JoinArgs(offset),
                  [&](Card& c) { return c.FineTune(handle, offset); });
}

ZAQ_EXPORT int ZAQ_ScanChannel(int handle, int index) {
    return Traced("ZAQ_ScanChannel", JoinArgs(index),
                  [&](Card& c) { return c.Scan(handle, index); });
}

ZAQ_EXPORT int ZAQ_SetFrequencyRange(int handle, double startMHz, int count) {
    char args[48];
    std::snprintf(args, sizeof args, "%.2f %d", startMHz, count);
    return Traced("ZAQ_SetFrequencyRange", args,
                  [&](Card& c) { return c.SetFrequencyRange(handle, startMHz, count); });
}

ZAQ_EXPORT int ZAQ_SetSensitivityLevel(int handle, int level) {
    return Traced("ZAQ_SetSensitivityLevel", JoinArgs(level),
                  [&](Card& c) { return c.SetSensitivity(handle, level); });
}

ZAQ_EXPORT int ZAQ_SetProperty(int handle, int id, int value) {
    return Traced("ZAQ_SetProperty", JoinArgs(id, value),
                  [&](Card& c) { return c.SetProperty(handle, id, value); });
}

ZAQ_EXPORT int ZAQ_GetProperty(int handle, int id, int* value) {
    return Traced("ZAQ_GetProperty", JoinArgs(id),
                  [&](Card& c) { return c.GetProperty(handle, id, value); });
}

ZAQ_EXPORT int ZAQ_SetCountryCode(int handle, int reserved, const char* country, int flag) {
    return Traced("ZAQ_SetCountryCode", JoinArgs(reserved, country, flag),
                  [&](Card& c) { return c.SetCountry(handle, country); });
}

ZAQ_EXPORT int ZAQ_GetCountryCode(int handle, void** /*reserved*/, char* country) {
    return Traced("ZAQ_GetCountryCode", "", [&](Card& c) { return c.GetCountry(handle, country); });
}

ZAQ_EXPORT int ZAQ_SetTVInputType(int handle, int type) {
    return Traced("ZAQ_SetTVInputType", JoinArgs(type),
                  [&](Card& c) { return c.SetValue(handle, Setting::kInputType, type); });
}

ZAQ_EXPORT int ZAQ_GetTVInputType(int handle, int* type) {
    return Traced("ZAQ_GetTVInputType", "",
                  [&](Card& c) { return c.GetValue(handle, Setting::kInputType, type); });
}

ZAQ_EXPORT int ZAQ_SetTVVideoType(int handle, int type) {
    return Traced("ZAQ_SetTVVideoType", JoinArgs(type),
                  [&](Card& c) { return c.SetValue(handle, Setting::kVideoType, type); });
}

ZAQ_EXPORT int ZAQ_GetTVVideoType(int handle, int* type) {
    return Traced("ZAQ_GetTVVideoType", "",
                  [&](Card& c) { return c.GetValue(handle, Setting::kVideoType, type); });
}

ZAQ_EXPORT int ZAQ_SetVideoInputSource(int handle, int source) {
    return Traced("ZAQ_SetVideoInputSource", JoinArgs(source),
                  [&](Card& c) { return c.SetValue(handle, Setting::kVideoSource, source); });
}

ZAQ_EXPORT int ZAQ_GetVideoInputSource(int handle, int* source) {
    return Traced("ZAQ_GetVideoInputSource", "",
                  [&](Card& c) { return c.GetValue(handle, Setting::kVideoSource, source); });
}

ZAQ_EXPORT int ZAQ_SetAudioInputSource(int handle, int source) {
    return Traced("ZAQ_SetAudioInputSource", JoinArgs(source),
                  [&](Card& c) { return c.SetValue(handle, Setting::kAudioSource, source); });
}

ZAQ_EXPORT int ZAQ_GetAudioInputSource(int handle, int* source) {
    return Traced("ZAQ_GetAudioInputSource", "",
                  [&](Card& c) { return c.GetValue(handle, Setting::kAudioSource, source); });
}

ZAQ_EXPORT int ZAQ_Play(int handle) {
    return Traced("ZAQ_Play", "", [&](Card& c) { return c.Play(handle); });
}

ZAQ_EXPORT int ZAQ_Pause_On(int handle) {
    return Traced("ZAQ_Pause_On", "", [&](Card& c) { return c.Pause(handle, true); });
}

ZAQ_EXPORT int ZAQ_Pause_Off(int handle) {
    return Traced("ZAQ_Pause_Off", "", [&](Card& c) { return c.Pause(handle, false); });
}

ZAQ_EXPORT int ZAQ_Forward_Scan(int handle, int speed) {
    return Traced("ZAQ_Forward_Scan", JoinArgs(speed),
                  [&](Card& c) { return c.ScanPlayback(handle, speed, true); });
}

ZAQ_EXPORT int ZAQ_Backward_Scan(int handle, int speed) {
    return Traced("ZAQ_Backward_Scan", JoinArgs(speed),
                  [&](Card& c) { return c.ScanPlayback(handle, speed, false); });
}

ZAQ_EXPORT int ZAQ_Time_Search(int handle, uint64_t time, int reserved1, int reserved2) {
    char args[64];
    std::snprintf(args, sizeof args, "%" PRIu64 " %d %d", time, reserved1, reserved2);
    return Traced("ZAQ_Time_Search", args, [&](Card& c) { return c.TimeSearch(handle, time); });
}

ZAQ_EXPORT int ZAQ_GetPlayBackStatus(int handle, void* record) {
    return Traced("ZAQ_GetPlayBackStatus", "",
                  [&](Card& c) { return c.PlaybackStatus(handle, record); });
}

ZAQ_EXPORT int ZAQ_FrameCapture(int handle, void* buffer, int bits) {
    return Traced("ZAQ_FrameCapture", JoinArgs(bits),
                  [&](Card& c) { return c.FrameCapture(handle, buffer, bits); });
}

}  // extern "C"
