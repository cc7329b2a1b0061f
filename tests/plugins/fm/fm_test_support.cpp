// Test support for the FM plug-in: stand-in resets and the event recorder.
#include "tests/plugins/fm/fm_test_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "plugins/common/upgrade_notice.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"

namespace fmtest {
namespace {

struct Recorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Event> events;
    std::function<void(const Event&)> hook;
};

Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

std::string FreshSettingsDir() {
    char pattern[] = "/tmp/fm_test_settings_XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "/tmp";
}

}  // namespace

void ResetWorld() {
    setenv("SOLVANE_SETTINGS_DIR", FreshSettingsDir().c_str(), 1);
    unsetenv("SIM_TUNER_FM_BAND");
    sim_tuner_reset();
    sim_settings_reload();
    hostsim::ResetAll();
    ClearEvents();
    SetEventHook(nullptr);
    // The upgrade notice would hold each controller four seconds.
    SetNoticeDelayMs(20);
}

void ClearEvents() {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.events.clear();
}

std::vector<Event> Events() {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.events;
}

void SetEventHook(std::function<void(const Event&)> hook) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.hook = std::move(hook);
}

int Callback(int code, const char*, unsigned len, int value) {
    Recorder& r = TheRecorder();
    const Event event{code, static_cast<int>(len), value};
    std::function<void(const Event&)> hook;
    {
        std::lock_guard<std::mutex> lock(r.mutex);
        r.events.push_back(event);
        hook = r.hook;
    }
    r.changed.notify_all();
    if (hook) hook(event);
    return 0;
}

bool WaitForEvents(const std::function<bool(const std::vector<Event>&)>& pred) {
    Recorder& r = TheRecorder();
    std::unique_lock<std::mutex> lock(r.mutex);
    return r.changed.wait_for(lock, std::chrono::seconds(20), [&] { return pred(r.events); });
}

bool WaitForSeekEnd() {
    return WaitForEvents([](const std::vector<Event>& events) {
        for (const Event& e : events)
            if (e.set == 3 && e.value == 108) return true;
        return false;
    });
}

std::vector<std::string> SeekTrace() {
    std::vector<std::string> trace;
    for (const Event& e : Events())
        if (e.set == 3) trace.push_back(std::to_string(e.value) + ":" + std::to_string(e.len));
    return trace;
}

int LastTuned() {
    int channel = -1;
    for (const Event& e : Events())
        if (e.set == 3 && e.value == 107) channel = e.len;
    return channel;
}

std::vector<std::string> TunerLines(const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : SimTunerJournal())
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    return lines;
}

}  // namespace fmtest
