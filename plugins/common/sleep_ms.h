// Millisecond sleep shared by both plug-ins' polling threads and pauses.
#pragma once

// Sleeps n milliseconds, resuming after signals until the whole time has passed.
void SleepMilliseconds(int milliseconds);
