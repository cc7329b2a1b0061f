// The tuner service as the plug-ins and libmirova see it: the ZAQ_ player API and the
// settings store exported by libravelo (symbol version EXPORTED), the frame path that
// libtonvex offers libmirova (ZMP_GetDriverID ... ZMP_UninstallTunerCallBackFunction),
// libmirova's own direct-play entry points that the service calls back, and the disc
// engine CDVD_WRAPPER of the player library.
//
// Conventions: every ZAQ_ call but ZAQ_Init and ZAQ_InstallCallbackFunction takes the
// handle from ZAQ_Init first; a result below 0 is an error, except the Get/Set of input
// type, video type, sources and country, where any nonzero result is an error.
#pragma once

#include <stdint.h>

#include "interfaces/abi_layout.h"

#ifdef __cplusplus
#include "interfaces/media_wrapper.h"
#endif

// A rectangle in screen pixels: left, top, right, bottom.
struct ZaqRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
#ifdef __cplusplus
ZAQ_ASSERT_SIZE(ZaqRect, 16, 16);
ZAQ_ASSERT_OFFSET(ZaqRect, right, 8, 8);
ZAQ_ASSERT_OFFSET(ZaqRect, bottom, 12, 12);
#endif

// Window handle that the plug-ins hand to ZAQ_DirectPlayStart.
#define ZAQ_VIDEO_WINDOW ((void*)(uintptr_t)0xDEADBEEFu)

// ZAQ_OpenTuner modes.
enum { ZAQ_MODE_FM = 0, ZAQ_MODE_TV = 2 };

// Properties with a fixed meaning (ZAQ_SetProperty / ZAQ_GetProperty); any other id is
// a picture or tuner property that the service stores and reads back.
enum {
    ZAQ_PROP_LIVE_VIDEO = 25,  // set to 0 after live video starts
    ZAQ_PROP_VOLUME = 34,      // TV uses 0..31, FM 0..16
    ZAQ_PROP_MUTE = 39,        // 0 or 1
    ZAQ_PROP_MTS_MODE = 122,   // sound mode 0..3
};

// Sound (MTS) modes of property 122.
enum { ZAQ_MTS_MONO = 0, ZAQ_MTS_STEREO = 1, ZAQ_MTS_SAP = 2, ZAQ_MTS_STEREO_SAP = 3 };

// TV video types (ZAQ_GetTVVideoType); the service follows the country.
enum { ZAQ_VIDEO_NTSC = 0, ZAQ_VIDEO_PAL = 1 };

// Playback status record filled by ZAQ_GetPlayBackStatus.
enum {
    ZAQ_PLAYBACK_STATUS_SIZE = 136,
    ZAQ_PLAYBACK_LENGTH_OFFSET = 24,  // uint32: length of the recording in seconds
    ZAQ_PLAYBACK_STATE_OFFSET = 132,  // int32: playback state
};

// The same record as a structure; the words not named belong to the service.
struct ZaqPlaybackStatus {
    uint32_t serviceWords[6];
    uint32_t length;
    uint32_t moreServiceWords[26];
    int32_t state;
};
#ifdef __cplusplus
ZAQ_ASSERT_SIZE(ZaqPlaybackStatus, ZAQ_PLAYBACK_STATUS_SIZE, ZAQ_PLAYBACK_STATUS_SIZE);
ZAQ_ASSERT_OFFSET(ZaqPlaybackStatus, length, ZAQ_PLAYBACK_LENGTH_OFFSET,
                  ZAQ_PLAYBACK_LENGTH_OFFSET);
ZAQ_ASSERT_OFFSET(ZaqPlaybackStatus, state, ZAQ_PLAYBACK_STATE_OFFSET, ZAQ_PLAYBACK_STATE_OFFSET);
#endif

// Event code the service sends now and then through the installed event callback.
enum { ZAQ_EVENT_PLAYBACK_STATUS = 32788 };

// Largest buffer ZAQ_FrameCapture fills: a 720 x 576 picture of 3 bytes per pixel.
enum { ZAQ_FRAME_CAPTURE_MAX_BYTES = 720 * 576 * 3 };

// Client number under which libmirova installs its frame callback.
enum { ZMP_TUNER_CLIENT = 1 };

// Longest value the settings store keeps, terminating NUL included: room for the TV
// channel list (one character per slot, at most 512 slots). getRegStr never writes
// more than this into the caller's buffer, so callers pass a buffer of at least this
// size; longer values are cut to ZAQ_SETTING_MAX_LENGTH - 1 characters on storing.
enum { ZAQ_SETTING_MAX_LENGTH = 513 };

// Longest country text, terminating NUL included (ZAQ_GetCountryCode's buffer).
enum { ZAQ_COUNTRY_MAX_LENGTH = 64 };

#ifdef __cplusplus
extern "C" {
#endif

// Tuner events: fn(source, code, a, b) returns 0; called on the service's own thread.
typedef int (*ZaqEventCallback)(void* source, int code, int a, int b);

// Frame callback of libmirova: one packed 4:2:2 frame (Y0 U Y1 V) per call, on the
// capture thread; the frame belongs to the service and may be null.
typedef void (*ZmpTunerFrameCallback)(void* context, unsigned char* frame);

// ---- Player API (libravelo, version EXPORTED) ----

int ZAQ_Init(int* handle);
int ZAQ_OpenTuner(int handle, int mode);
int ZAQ_CloseTuner(int handle);
int ZAQ_Release(int handle);

// Replaces the event callback (null removes it); returns once an event delivery in
// progress has finished, so do not call it while holding a lock the callback takes.
int ZAQ_InstallCallbackFunction(ZaqEventCallback fn);

int ZAQ_DirectPlayStart(int handle, void* window, struct ZaqRect* rect);
int ZAQ_DirectPlayStop(int handle);

int ZAQ_GetChannelListNum(int handle, int* count);
int ZAQ_SelectChannel(int handle, int index, int offset);
// frequency in kHz (TV picture carrier, FM station).
int ZAQ_SelectChannelByFreq(int handle, int frequency);
int ZAQ_MicroTuner(int handle, int offset);
// TV: 0 when slot index holds a station, nonzero otherwise. FM: signal level of
// channel index (0 and up), negative on error.
int ZAQ_ScanChannel(int handle, int index);

// FM only: band start in MHz and number of 0.05 MHz channels; seek sensitivity 0..2.
int ZAQ_SetFrequencyRange(int handle, double startMHz, int count);
int ZAQ_SetSensitivityLevel(int handle, int level);

int ZAQ_SetProperty(int handle, int id, int value);
int ZAQ_GetProperty(int handle, int id, int* value);

// reserved is 0 on set and a pointer to a null pointer on get; country receives at
// most ZAQ_COUNTRY_MAX_LENGTH bytes.
int ZAQ_SetCountryCode(int handle, int reserved, const char* country, int flag);
int ZAQ_GetCountryCode(int handle, void** reserved, char* country);
int ZAQ_SetTVInputType(int handle, int type);
int ZAQ_GetTVInputType(int handle, int* type);
int ZAQ_SetTVVideoType(int handle, int type);
int ZAQ_GetTVVideoType(int handle, int* type);
int ZAQ_SetVideoInputSource(int handle, int source);
int ZAQ_GetVideoInputSource(int handle, int* source);
int ZAQ_SetAudioInputSource(int handle, int source);
int ZAQ_GetAudioInputSource(int handle, int* source);

// Recorder.
int ZAQ_Play(int handle);
int ZAQ_Pause_On(int handle);
int ZAQ_Pause_Off(int handle);
int ZAQ_Forward_Scan(int handle, int speed);
int ZAQ_Backward_Scan(int handle, int speed);
int ZAQ_Time_Search(int handle, uint64_t time, int reserved1, int reserved2);
// record: at least ZAQ_PLAYBACK_STATUS_SIZE bytes.
int ZAQ_GetPlayBackStatus(int handle, void* record);

// Copies the current frame as width x height pixels of 3 bytes (B, G, R), top line
// first, into buffer; bits must be 24. With a null buffer the result is the number of
// bytes needed; else 0, or negative on error.
int ZAQ_FrameCapture(int handle, void* buffer, int bits);

// ---- Settings store (libravelo, version EXPORTED) ----

int getRegInt(const char* key, int defaultValue);
int setRegInt(const char* key, int value);
// 0 when the key exists (buffer filled, at most ZAQ_SETTING_MAX_LENGTH bytes with the
// NUL); nonzero otherwise (buffer untouched).
int getRegStr(const char* key, char* buffer);
int setRegStr(const char* key, const char* text);

// ---- Frame path offered to libmirova (libtonvex) ----

// Nonzero while a tuner is open.
int ZMP_GetDriverID(void);
// Frame size of the current video type: 720 x 480 (NTSC) or 720 x 576 (PAL); format
// receives the video type.
int ZMP_GetTVFormat_Size(int* format, int* width, int* height);
int ZMP_InstallTunerCallBackFunction(ZmpTunerFrameCallback fn, void* context, int client);
// Returns once a frame callback in progress has finished: no frame reaches the callback
// afterwards. Do not call it while holding a lock the frame callback takes.
int ZMP_UninstallTunerCallBackFunction(int client);

// ---- libmirova's direct-play entry points that the service calls ----
// The service finds them at run time (dlsym); a library that defines them itself can
// set ZAQ_NO_DIRECTPLAY_DECLS to keep its own declarations.
typedef int (*ZmpDirectPlayFn)(void* window, struct ZaqRect* rect);
typedef int (*ZmpStopDirectPlayFn)(void);
#ifndef ZAQ_NO_DIRECTPLAY_DECLS
int ZMP_DIRECTPLAY(void* window, struct ZaqRect* rect);
int ZMP_STOPDIRECTPLAY(void);
#endif

#ifdef __cplusplus
}  // extern "C"

// Disc-player engine of the player library, created by the engine table for media
// types 12 and 13. It only records its commands and returns 0.
//
// The engine table allocates the object from this declaration and the player
// library's constructor fills it: the real engine is 5132 bytes on i386, so the
// declaration reserves that much (the stand-in leaves the reserve unused).
class ZAQ_EXPORT CDVD_WRAPPER : public CMEDIA_WRAPPER {
  public:
    explicit CDVD_WRAPPER(int mediaType = 12);
    ~CDVD_WRAPPER() override;
    int Command(unsigned command, void* in, int inSize, void* out, int outSize) override;
    int SetCallback(MediaEventCallback callback) override;
    int MediaType() const { return mediaType_; }
    MediaEventCallback Callback() const { return callback_; }

  private:
    int mediaType_;
    MediaEventCallback callback_ = nullptr;
    unsigned char engineReserve_[5120];
};
// x86-64: 8-byte table pointer and callback, with 4 bytes of padding after the type.
ZAQ_ASSERT_SIZE(CDVD_WRAPPER, 5132, 5144);
#endif
