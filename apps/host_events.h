// What the host program hears from a controller through its HostCallback, and
// bounded waits for the plug-in's work to settle.
#pragma once

#include <functional>
#include <string>

namespace host {

// The HostCallback handed to controllers: records (a, b, c, d, e).
int OnHostEvent(int a, int b, int c, int d, int e);

// True once the controller reported that its engine closed (8, 13).
bool EngineClosed();
// True once the controller reported that the tuner could not be opened (8, 11).
bool TunerFailed();

// Sleep-timer reports (event 16, seconds) of either controller, oldest first:
// the callbacks note them, the host's thread takes them.
void NoteSleepReport(int seconds);
bool TakeSleepReport(int* seconds);
void ResetHostEvents();
// The host events received so far, one "a b c d e" per line.
std::string HostEventsText();

// Without real-time pauses (--no-pauses): a script step is over as soon as
// neither the host nor the tuner service has been called for 25 ms, instead of
// 300 ms, so long scripted sessions run in minutes. Typed digits are committed
// by the next key of the script, as ever, never after a pause. The plug-ins'
// own waits (the 100 ms a sound mode settles, the 4 s notices) are longer than
// that: keys then reach a controller that is still busy, as a fast typist's
// would; the controller queues them and handles them in order (the FM radio
// drops keys while it seeks).
void SetNoPauses(bool on);
bool NoPauses();

// Waits until the host journal stops growing for quietMs (a few milliseconds
// without pauses), at most maxMs.
void WaitUntilQuiet(int quietMs, int maxMs);
// The same, calling eachPoll every few milliseconds while it waits.
void WaitUntilQuiet(int quietMs, int maxMs, const std::function<void()>& eachPoll);
// Waits until the engine-closed event arrives, at most maxMs; true if it did.
bool WaitForEngineClosed(int maxMs);

}  // namespace host
