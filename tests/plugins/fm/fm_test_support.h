// Shared by the FM plug-in's tests: a fresh simulated tuner, host and settings store per
// test, and a recorder for the events the FM engine reports through its callback.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/plugins/common/wait_until.h"

namespace fmtest {

// One event as the engine reported it: (set, null, len, value).
struct Event {
    int set;
    int len;
    int value;
};

// Resets the tuner and host stand-ins and points the settings store at an empty
// folder of its own.
void ResetWorld();

// Process-wide recorder behind Callback (a plain function, as the engine requires).
void ClearEvents();
std::vector<Event> Events();
int Callback(int code, const char* data, unsigned len, int value);
// Waits (generously) until pred holds for the events recorded so far.
bool WaitForEvents(const std::function<bool(const std::vector<Event>&)>& pred);
// Waits for a seek's end event (set 3, value 108).
bool WaitForSeekEnd();
// Called on the reporting thread for every event, after it is recorded.
void SetEventHook(std::function<void(const Event&)> hook);

// Seek events (set 3) as "106:ch" / "107:ch" / "108:ch".
std::vector<std::string> SeekTrace();
// The channel of the last tune event (107), or -1.
int LastTuned();

// Tuner journal lines beginning with prefix.
std::vector<std::string> TunerLines(const std::string& prefix);

using plugintest::WaitUntil;

}  // namespace fmtest
