// Opening and closing the tuner, the same steps for the TV and FM engines: the
// video window's place on the screen, ZAQ_Init and ZAQ_OpenTuner, and at the end
// ZAQ_CloseTuner and ZAQ_Release. Each engine keeps its own open flags.
#pragma once

#include "interfaces/tuner_service.h"

// The host's video window and its client area in screen coordinates (right and
// bottom offset by left and top). False, with rect untouched, when the display
// driver cannot tell.
bool LocateVideoWindow(void** window, ZaqRect* rect);

// ZAQ_Init, then ZAQ_OpenTuner in mode. -1 with *acquired false when ZAQ_Init
// fails; otherwise *handle and *acquired are set and the open's result returned,
// and the handle must be closed with CloseTunerSession whatever the open said.
int OpenTunerSession(int mode, int* handle, bool* acquired);

void CloseTunerSession(int handle);
