// DebugPrint into the performance record's ring and the meter that holds it.
#include "platform/debug_log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/settings.h"

namespace {

struct CPerfMeter {
    std::atomic<PerfRecord*> record{nullptr};
    uint32_t word = 0;
};

struct MeterState {
    std::mutex guard;  // creation, destruction and ring writes
    std::unique_ptr<CPerfMeter> meter;
};

MeterState& State() {
    static MeterState state;
    return state;
}

CPerfMeter* EnsureMeter(MeterState& state) {
    if (!state.meter) state.meter = std::make_unique<CPerfMeter>();
    return state.meter.get();
}

PerfRecord* AttachedRecord(MeterState& state) {
    return state.meter ? state.meter->record.load() : nullptr;
}

// Messages follow one another; a NUL after the newest marks the end for a reader.
void AppendToRing(PerfRecord* record, const char* text, size_t length) {
    if (length > kLogRingSize - 1) {
        text += length - (kLogRingSize - 1);
        length = kLogRingSize - 1;
    }
    const size_t position = record->logPosition % kLogRingSize;
    if (position + length <= kLogRingSize - 1) {
        std::memcpy(record->logRing + position, text, length + 1);
        record->logPosition = static_cast<uint32_t>(position + length);
        return;
    }
    const size_t head = kLogRingSize - position;
    std::memcpy(record->logRing + position, text, head);
    std::memcpy(record->logRing, text + head, length - head + 1);
    record->logPosition = static_cast<uint32_t>(position + length - kLogRingSize);
}

}  // namespace

// The ring is written under a lock: interleaved messages would be tolerated,
// but racing writers are not worth the diagnostics they break.
void DebugPrint(const char* format, ...) {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    PerfRecord* record = AttachedRecord(state);
    if (record == nullptr) return;
    char text[kLogMessageMax + 1];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    text[kLogMessageMax] = '\0';
    AppendToRing(record, text, std::strlen(text));
}

int PerfMeterCreateIfEnabled() {
    MeterState& state = State();
    {
        std::lock_guard<std::mutex> hold(state.guard);
        if (state.meter) return 0;
    }
    if (SettingGetInt("PERFMETER", 0) == 0) return -1;
    std::lock_guard<std::mutex> hold(state.guard);
    EnsureMeter(state);
    return 0;
}

PerfRecord* PerfMeterGet() {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    return EnsureMeter(state)->record.load();
}

PerfRecord* PerfMeterRecord() {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    return AttachedRecord(state);
}

void PerfMeterResetPair() {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    PerfRecord* record = AttachedRecord(state);
    if (record != nullptr) record->pairedCounters[0] = record->pairedCounters[1] = 0;
}

void PerfMeterResetThird() {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    PerfRecord* record = AttachedRecord(state);
    if (record != nullptr) record->thirdCounter = 0;
}

void PerfMeterSetState(uint32_t code) {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    PerfRecord* record = AttachedRecord(state);
    if (record != nullptr) record->stateCode = code;
}

int PerfMeterDestroy() {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    state.meter.reset();
    return 0;
}

void PerfMeterAttach(PerfRecord* record) {
    MeterState& state = State();
    std::lock_guard<std::mutex> hold(state.guard);
    EnsureMeter(state)->record.store(record);
}
