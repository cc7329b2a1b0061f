// Test control of the simulated tuner service (libtonvex, settings part in libravelo).
// Product code never includes this header; tests and the host program's demonstration do.
//
// Environment, read when the service starts and on sim_tuner_reset():
//   SIM_TUNER_CHANNELS     file replacing the TV channel-slot table (format in tonvex/tables.h)
//   SIM_TUNER_FM_BAND      file replacing the FM band
//   SIM_TUNER_EVENT_MS     period of the playback-status event 32788 while a tuner is open
//                          (default 5000; 0 sends none)
//   SIM_TUNER_MANUAL_CLOCK "1": frames are delivered only by sim_tuner_deliver_frames
//   SOLVANE_SETTINGS_DIR   folder of settings.ini (default "$HOME/.solvane", else
//                          "/tmp/.solvane"); read on every settings call
//
// Journal lines are the function name followed by its arguments after the handle, in
// decimal, separated by spaces; pointers to results are left out, texts appear as they are,
// a null text as "(null)". Examples: "ZAQ_Init", "ZAQ_OpenTuner 2", "ZAQ_SelectChannel 5 250",
// "ZAQ_SetCountryCode 0 Japan 1", "ZAQ_GetProperty 34", "ZAQ_DirectPlayStart 0xdeadbeef 0 0
// 719 479", "ZAQ_SetFrequencyRange 87.50 411", "ZAQ_Time_Search 120 0 0",
// "ZAQ_InstallCallbackFunction set" (or "null"), "ZMP_InstallTunerCallBackFunction 1",
// "setRegInt SolvaneON_TV_VOLUME 16", "getRegStr ZAQTVCHANNELLIST", "CDVD_WRAPPER 12",
// "CDVD_WRAPPER::Command 7 0 0". A call answered by an armed fault ends in " -> fault".
//
// How the stand-in answers (beyond the interface header):
// - ZAQ_Init gives handles 1, 2, ...; calls with an unknown handle fail (-1). One tuner:
//   ZAQ_OpenTuner by a second handle while it is open returns -16; the same handle and mode
//   again returns 0. Tuning, scanning, direct play, recorder and capture need the tuner open
//   by that handle; properties, country and inputs only a known handle, and keep their
//   values across opens (volume 10, mute 0, sound mode 1, country "USA", NTSC at start).
// - TV: ZAQ_SelectChannel offsets and ZAQ_MicroTuner totals are kHz, at most +-5000;
//   ZAQ_MicroTuner replaces the previous total, a new selection clears it.
//   ZAQ_SelectChannelByFreq (kHz) tunes the nearest slot within 3 MHz, the rest as offset.
//   ZAQ_ScanChannel measures only; it does not retune.
// - FM: ZAQ_ScanChannel returns the level (0 and up) without retuning; sensitivity 0..3 is
//   stored and does not change the levels. ZAQ_SelectChannelByFreq takes kHz.
// - ZAQ_DirectPlayStart in TV mode calls ZMP_DIRECTPLAY (looked up globally, then in an
//   already loaded libmirova.so), returns 0 whatever it answered, and starts the capture
//   thread (unless the manual clock is on); a second start while running returns -1. The
//   frame size is fixed from the start to the stop, whatever the country or video type does
//   meanwhile. In FM mode it starts nothing and calls nothing (the radio has no picture).
//   ZAQ_DirectPlayStop (and ZAQ_CloseTuner while running) stops the thread, then calls
//   ZMP_STOPDIRECTPLAY if the start had called ZMP_DIRECTPLAY.
// - Pictures: a station shows its channel number over its pattern with luma noise
//   3 + |distance kHz| / 12 (at most 127); beyond 3 MHz or on an empty slot: snow; a video
//   input source other than 0: a blue picture with the input number.
// - Recorder: a recording of 3600 s, stopped; ZAQ_Time_Search beyond its length returns -1.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SIM_TUNER_API __attribute__((visibility("default")))

// The card's driver id while a tuner is open (ZMP_GetDriverID).
enum { SIM_TUNER_DRIVER_ID = 0x7134 };

// Recorder states in the playback status record (byte 132).
enum {
    SIM_PLAYBACK_STOPPED = 0,
    SIM_PLAYBACK_PLAYING = 1,
    SIM_PLAYBACK_PAUSED = 2,
    SIM_PLAYBACK_FORWARD = 3,
    SIM_PLAYBACK_BACKWARD = 4,
};
// Other fields of the 136-byte record: uint32 record size at byte 0, uint32 length at 24,
// uint32 position at 28, int32 scan speed at 32; the rest is zero.
enum { SIM_PLAYBACK_POSITION_OFFSET = 28, SIM_PLAYBACK_SPEED_OFFSET = 32 };

typedef struct SimTunerState {
    int open;              // a tuner is open
    int mode;              // 2 TV, 0 FM, -1 closed
    int handle;            // handle that opened it, 0 when closed
    int handles;           // handles given out by ZAQ_Init and not released
    int liveVideo;         // between ZAQ_DirectPlayStart and ZAQ_DirectPlayStop
    int directPlayCalled;  // ZMP_DIRECTPLAY was found and called by the running start
    int directPlayResult;  // what it returned
    // TV
    int slot;
    int selectOffset;  // kHz, from ZAQ_SelectChannel / ZAQ_SelectChannelByFreq
    int fineOffset;    // kHz, from ZAQ_MicroTuner
    int frequencyKHz;  // slot frequency + both offsets
    int stationTuned;  // a station's picture (not snow) is received
    int noiseAmplitude;
    // FM
    int fmStartKHz;
    int fmCount;
    int fmChannel;
    int fmFrequencyKHz;
    int sensitivity;
    // sound and inputs
    int volume;
    int mute;
    int mtsRequested;  // last value set for property 122
    int mtsMode;       // what property 122 reads back on the tuned station
    int videoType;     // 0 NTSC, 1 PAL
    int inputType;
    int videoSource;
    int audioSource;
    char country[64];
    // frames
    int frameWidth;
    int frameHeight;
    int framesPerSecond;
    int frameClients;  // callbacks installed with ZMP_InstallTunerCallBackFunction
    uint64_t framesDelivered;
    int eventCallbackInstalled;
    // recorder
    int playbackState;
    uint32_t recordingLength;
    uint32_t playbackPosition;
    int scanSpeed;
} SimTunerState;

typedef struct SimTvStationInfo {
    int frequencyKHz;
    int hasStation;
    int bestOffset;
    int soundModes;  // bit m: MTS mode m offered
    int pattern;
} SimTvStationInfo;

// Closes the tuner (stopping live video and events), forgets handles, callbacks,
// properties, recorder state, journal and faults, and reloads the tables from the
// environment (or the built-in ones).
SIM_TUNER_API void sim_tuner_reset(void);

// Journal: the lines joined by '\n' into buffer (NUL-terminated, cut to size); returns the
// bytes needed including the NUL. count: lines beginning with prefix (all with "").
SIM_TUNER_API void sim_tuner_journal_clear(void);
SIM_TUNER_API int sim_tuner_journal_read(char* buffer, int size);
SIM_TUNER_API int sim_tuner_journal_count(const char* prefix);
// Lines ever recorded (clears do not reset it): a cheap sign that the service was called.
SIM_TUNER_API uint64_t sim_tuner_journal_serial(void);

// Fault injection by function name ("ZAQ_OpenTuner", "getRegStr", "ZMP_GetDriverID", ...):
// the next call (or the next `times` calls, < 0 for all until cleared) returns result
// without doing anything; results through out pointers are left untouched.
SIM_TUNER_API void sim_tuner_fail_next(const char* function, int result);
SIM_TUNER_API void sim_tuner_fail(const char* function, int result, int times);
SIM_TUNER_API void sim_tuner_clear_faults(void);

// Tables in the file formats; null text restores the built-in table. 0, or -1 on a parse
// error (the table is then unchanged).
SIM_TUNER_API int sim_tuner_load_channels(const char* text);
SIM_TUNER_API int sim_tuner_load_fm_band(const char* text);
SIM_TUNER_API int sim_tuner_tv_station(int slot, SimTvStationInfo* info);  // -1 outside
// Signal level of FM channel `channel` of the current band, without journal.
SIM_TUNER_API int sim_tuner_fm_level(int channel);

SIM_TUNER_API void sim_tuner_get_state(SimTunerState* state);

// Frames. With the manual clock on, no capture thread runs: each sim_tuner_deliver_frames
// call renders and delivers `count` frames on the caller's thread and returns how many
// reached an installed callback. Switching applies at once, also during live video.
SIM_TUNER_API void sim_tuner_set_manual_clock(int on);
SIM_TUNER_API int sim_tuner_deliver_frames(int count);
// Waits until at least `count` frames have been delivered since the reset; 0, or -1 on
// time-out.
SIM_TUNER_API int sim_tuner_wait_frames(uint64_t count, int timeoutMs);
// The picture the card would deliver now (its current frame index), packed 4:2:2 into
// buffer of size bytes; returns the bytes of one frame (nothing written when size is
// smaller).
SIM_TUNER_API int sim_tuner_render_frame(unsigned char* buffer, int size);

// Events through the callback of ZAQ_InstallCallbackFunction, on the service's thread,
// which runs while a tuner is open. interval 0 stops the periodic event; applies from the
// next open. emit: queues one event; 0, or -1 when no tuner is open.
SIM_TUNER_API void sim_tuner_set_event_interval(int milliseconds);
SIM_TUNER_API int sim_tuner_emit_event(int code, int a, int b);

// Recorder: the recording's length in seconds and the playback state.
SIM_TUNER_API void sim_tuner_set_recording(uint32_t lengthSeconds, int state);

// Settings store (libravelo): the file in use, and a forced reload from it, as after a
// restart. path: copied into buffer (cut to size); returns the bytes needed with the NUL.
SIM_TUNER_API int sim_settings_path(char* buffer, int size);
SIM_TUNER_API void sim_settings_reload(void);

#ifdef __cplusplus
}  // extern "C"

#include <string>
#include <vector>

// The journal as lines.
inline std::vector<std::string> SimTunerJournal() {
    std::string text(static_cast<size_t>(sim_tuner_journal_read(nullptr, 0)), '\0');
    sim_tuner_journal_read(&text[0], static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
#endif
