// The exported C functions of libtonvex: the frame path that libmirova binds to when it is
// loaded, and the test control of sim_tuner.h. Each call is journaled and may be answered
// by an armed fault.
#include <algorithm>
#include <cstring>
#include <string>

#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"
#include "sim/tuner/tonvex/card.h"
#include "sim/tuner/tonvex/journal.h"

using tonvex::Card;
using tonvex::JoinArgs;
using tonvex::JournalCall;

extern "C" {

ZAQ_EXPORT int ZMP_GetDriverID(void) {
    int fault;
    if (JournalCall("ZMP_GetDriverID", "", &fault)) return fault;
    return Card::Instance().DriverId();
}

ZAQ_EXPORT int ZMP_GetTVFormat_Size(int* format, int* width, int* height) {
    int fault;
    if (JournalCall("ZMP_GetTVFormat_Size", "", &fault)) return fault;
    return Card::Instance().FormatSize(format, width, height);
}

ZAQ_EXPORT int ZMP_InstallTunerCallBackFunction(ZmpTunerFrameCallback fn, void* context,
                                                int client) {
    int fault;
    if (JournalCall("ZMP_InstallTunerCallBackFunction", JoinArgs(client), &fault)) return fault;
    return Card::Instance().InstallFrameClient(fn, context, client);
}

ZAQ_EXPORT int ZMP_UninstallTunerCallBackFunction(int client) {
    int fault;
    if (JournalCall("ZMP_UninstallTunerCallBackFunction", JoinArgs(client), &fault)) return fault;
    return Card::Instance().UninstallFrameClient(client);
}

void sim_tuner_reset(void) {
    Card::Instance().Reset();
}

void sim_tuner_journal_clear(void) {
    tonvex::JournalClear();
}

int sim_tuner_journal_read(char* buffer, int size) {
    std::string text;
    for (const auto& line : tonvex::JournalLines()) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    if (buffer && size > 0) {
        const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size() + 1);
}

int sim_tuner_journal_count(const char* prefix) {
    const std::string p = prefix ? prefix : "";
    int count = 0;
    for (const auto& line : tonvex::JournalLines()) count += line.compare(0, p.size(), p) == 0;
    return count;
}

uint64_t sim_tuner_journal_serial(void) {
    return tonvex::JournalSerial();
}

void sim_tuner_fail_next(const char* function, int result) {
    tonvex::ArmFault(function, result, 1);
}

void sim_tuner_fail(const char* function, int result, int times) {
    tonvex::ArmFault(function, result, times);
}

void sim_tuner_clear_faults(void) {
    tonvex::ClearFaults();
}

int sim_tuner_load_channels(const char* text) {
    return Card::Instance().LoadChannels(text);
}

int sim_tuner_load_fm_band(const char* text) {
    return Card::Instance().LoadFmBand(text);
}

int sim_tuner_tv_station(int slot, SimTvStationInfo* info) {
    return Card::Instance().StationInfo(slot, info);
}

int sim_tuner_fm_level(int channel) {
    return Card::Instance().FmLevel(channel);
}

void sim_tuner_get_state(SimTunerState* state) {
    Card::Instance().GetState(state);
}

void sim_tuner_set_manual_clock(int on) {
    Card::Instance().SetManualClock(on != 0);
}

int sim_tuner_deliver_frames(int count) {
    return Card::Instance().DeliverFrames(count);
}

int sim_tuner_wait_frames(uint64_t count, int timeoutMs) {
    return Card::Instance().WaitFrames(count, timeoutMs);
}

int sim_tuner_render_frame(unsigned char* buffer, int size) {
    return Card::Instance().RenderCurrent(buffer, size);
}

void sim_tuner_set_event_interval(int milliseconds) {
    Card::Instance().SetEventInterval(milliseconds);
}

int sim_tuner_emit_event(int code, int a, int b) {
    return Card::Instance().EmitEvent(code, a, b);
}

void sim_tuner_set_recording(uint32_t lengthSeconds, int state) {
    Card::Instance().SetRecording(lengthSeconds, state);
}

}  // extern "C"
