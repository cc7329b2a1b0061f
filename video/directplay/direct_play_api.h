// The exported functions of libmirova: live video in a screen rectangle, its
// properties, and capture of the shown picture as a device-independent bitmap.
// Every function but ZMP_DIRECTPLAY returns -1 when no direct play exists.
#pragma once

#include "interfaces/export.h"

#define ZAQ_NO_DIRECTPLAY_DECLS
#include "interfaces/tuner_service.h"

extern "C" {
// 0 running (also without a tuner driver), -1 when no renderer opened, or the
// renderer's negative result. A running direct play is stopped first.
ZAQ_EXPORT int ZMP_DIRECTPLAY(void* window, struct ZaqRect* rect);
ZAQ_EXPORT int ZMP_STOPDIRECTPLAY(void);
// Keys 14-17 (colour controls), 24, 25 (colour key), 118 (suspend), 119 (resume; set only).
ZAQ_EXPORT int ZMP_DIRECTPLAY_SETPROPERTY(int key, int value);
ZAQ_EXPORT int ZMP_DIRECTPLAY_GETPROPERTY(int key, int* value);
ZAQ_EXPORT int ZMP_MOVE(void* window, struct ZaqRect* rect, int unused);
ZAQ_EXPORT int ZMP_REFRESH(int a, int b, int unused);
// With a null bitmap, the bytes needed; otherwise fills it (8 or 24 bits).
ZAQ_EXPORT int ZMP_FRAMECAPTURE(int bitCount, unsigned char* bitmap, int unused);
}

class CDirectPlaySession;
// The live instance, for tests linked against the library's objects.
CDirectPlaySession* CurrentDirectPlaySession();
