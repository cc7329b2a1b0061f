// The debug log and performance meter: DebugPrint appends to a 2000-character
// ring inside a performance record that a monitoring tool (or a test) attaches.
//
// To read the log, attach a record you own with PerfMeterAttach: DebugPrint
// then appends to record->logRing at record->logPosition, and the character
// after the newest message is a NUL. Detach (attach null) before freeing it.
#pragma once

#include <cstdint>

#include "interfaces/abi_layout.h"

constexpr int kLogRingSize = 2000;
constexpr int kLogMessageMax = 255;

struct PerfRecord {
    uint32_t pairedCounters[2];  // cleared together
    uint32_t thirdCounter;
    uint32_t stateCode;  // playback state 0 to 6
    uint8_t reserved1[2048 - 16];
    uint32_t logPosition;  // 0 to 1999, at byte 2048
    uint8_t reserved2[2096 - 2052];
    char logRing[kLogRingSize];  // at byte 2096
};
// Shared with monitoring tools; the same on both targets.
ZAQ_ASSERT_SIZE(PerfRecord, 4096, 4096);
ZAQ_ASSERT_OFFSET(PerfRecord, thirdCounter, 8, 8);
ZAQ_ASSERT_OFFSET(PerfRecord, stateCode, 12, 12);
ZAQ_ASSERT_OFFSET(PerfRecord, logPosition, 2048, 2048);
ZAQ_ASSERT_OFFSET(PerfRecord, logRing, 2096, 2096);

// printf-style; no effect without a meter and an attached record.
void DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Creates the meter when the setting "PERFMETER" is non-zero; 0 when a meter
// exists afterwards, -1 otherwise.
int PerfMeterCreateIfEnabled();
// Creates the meter when missing; the attached record or null.
PerfRecord* PerfMeterGet();
// The attached record or null; never creates the meter.
PerfRecord* PerfMeterRecord();
void PerfMeterResetPair();
void PerfMeterResetThird();
void PerfMeterSetState(uint32_t state);
int PerfMeterDestroy();

// Creates the meter when missing and attaches record (null detaches); the
// caller keeps ownership of the record.
void PerfMeterAttach(PerfRecord* record);
