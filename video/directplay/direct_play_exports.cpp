// The seven exported direct-play functions and the library-wide instance.
// Calls are serialised among themselves; frames take their own gate.
#include <memory>
#include <mutex>

#include "video/directplay/direct_play_api.h"
#include "video/directplay/direct_play_session.h"

namespace {

std::mutex g_apiMutex;
std::unique_ptr<CDirectPlaySession> g_session;

template <typename Fn>
int WithSession(Fn fn) {
    std::lock_guard<std::mutex> lock(g_apiMutex);
    if (g_session == nullptr) return kDirectPlayNoInstance;
    return fn(*g_session);
}

void StopLocked() {
    if (g_session == nullptr) return;
    g_session->Stop();
    g_session.reset();
}

}  // namespace

CDirectPlaySession* CurrentDirectPlaySession() {
    std::lock_guard<std::mutex> lock(g_apiMutex);
    return g_session.get();
}

extern "C" {

ZAQ_EXPORT int ZMP_DIRECTPLAY(void* window, struct ZaqRect* rect) {
    std::lock_guard<std::mutex> lock(g_apiMutex);
    // A second start would leak the first instance and leave its callback
    // behind: the old one is stopped first.
    StopLocked();
    TunerFunctions tuner = CurrentTunerFunctions();
    if (!tuner.Complete() && BindTunerFunctions()) tuner = CurrentTunerFunctions();
    int format = 0, width = 0, height = 0;
    if (tuner.getFormatSize != nullptr) tuner.getFormatSize(&format, &width, &height);
    g_session = std::make_unique<CDirectPlaySession>(tuner);
    return g_session->Start(window, rect, width, height);
}

ZAQ_EXPORT int ZMP_STOPDIRECTPLAY(void) {
    std::lock_guard<std::mutex> lock(g_apiMutex);
    if (g_session == nullptr) return kDirectPlayNoInstance;
    StopLocked();
    return 0;
}

ZAQ_EXPORT int ZMP_DIRECTPLAY_SETPROPERTY(int key, int value) {
    return WithSession([&](CDirectPlaySession& s) { return s.SetProperty(key, value); });
}

ZAQ_EXPORT int ZMP_DIRECTPLAY_GETPROPERTY(int key, int* value) {
    return WithSession([&](CDirectPlaySession& s) { return s.GetProperty(key, value); });
}

ZAQ_EXPORT int ZMP_MOVE(void* window, struct ZaqRect* rect, int) {
    return WithSession([&](CDirectPlaySession& s) { return s.Move(window, rect); });
}

ZAQ_EXPORT int ZMP_REFRESH(int a, int b, int) {
    return WithSession([&](CDirectPlaySession& s) { return s.Refresh(a, b); });
}

ZAQ_EXPORT int ZMP_FRAMECAPTURE(int bitCount, unsigned char* bitmap, int) {
    return WithSession([&](CDirectPlaySession& s) { return s.Capture(bitCount, bitmap); });
}

}  // extern "C"
