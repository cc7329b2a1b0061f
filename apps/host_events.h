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

// Waits until the host journal stops growing for quietMs, at most maxMs.
void WaitUntilQuiet(int quietMs, int maxMs);
// The same, calling eachPoll every few milliseconds while it waits.
void WaitUntilQuiet(int quietMs, int maxMs, const std::function<void()>& eachPoll);
// Waits until the engine-closed event arrives, at most maxMs; true if it did.
bool WaitForEngineClosed(int maxMs);

}  // namespace host
