// Millisecond sleep shared by the plug-in's polling threads.
#pragma once

namespace sonidra {

// Sleeps n milliseconds, resuming after signals until the whole time has passed.
void SleepMilliseconds(int milliseconds);

}  // namespace sonidra
