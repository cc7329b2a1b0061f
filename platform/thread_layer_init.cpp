// The thread layer's one-time initialisation (thread-specific key, main-thread
// handle, suspend and resume handlers) and its undoing at unload.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdio>

#include "platform/linux_thread.h"
#include "platform/thread_layer_state.h"

namespace {

pthread_once_t g_once = PTHREAD_ONCE_INIT;
pthread_key_t g_key;
std::atomic<bool> g_keyCreated{false};
struct sigaction g_previousSuspend;
struct sigaction g_previousResume;
std::atomic<bool> g_handlersInstalled{false};

// Parks the thread until SIGUSR2 arrives. SIGUSR2 is blocked while this
// handler is entered, so a resume sent right after the suspend cannot run
// first and leave the thread parked for good; sigsuspend lets it in.
void SuspendHandler(int) {
    sigset_t waitSet;
    sigfillset(&waitSet);
    sigdelset(&waitSet, SIGUSR2);
    sigsuspend(&waitSet);
}

// Its delivery ends the sigsuspend above.
void ResumeHandler(int) {}

bool InstallHandler(int signal, void (*handler)(int), int blocked, struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    if (blocked != 0) sigaddset(&action.sa_mask, blocked);
    action.sa_flags = 0;
    return sigaction(signal, &action, previous) == 0;
}

void OneTimeInitialisation() {
    if (pthread_key_create(&g_key, nullptr) == 0) {
        g_keyCreated.store(true);
    } else {
        std::fputs("Unable to create thread-specific-data key.\n", stderr);
    }
    if (LinuxCreateThread(&MainThreadObject(), nullptr, 0) == kLinuxThreadFailed) {
        std::fputs("Unable to create handle for main thread.\n", stderr);
    }
    const bool suspend = InstallHandler(SIGUSR1, SuspendHandler, SIGUSR2, &g_previousSuspend);
    if (!suspend) std::fputs("Unable to set suspend signal handler.\n", stderr);
    const bool resume = InstallHandler(SIGUSR2, ResumeHandler, 0, &g_previousResume);
    if (!resume) std::fputs("Unable to set resume signal handler.\n", stderr);
    g_handlersInstalled.store(suspend && resume);
}

}  // namespace

bool RunOneTimeInitialisation() {
    return pthread_once(&g_once, OneTimeInitialisation) == 0;
}

bool SaveCurrentThread(CLinuxThread* thread) {
    return g_keyCreated.load() && pthread_setspecific(g_key, thread) == 0;
}

CLinuxThread* LinuxGetCurrentThread() {
    if (!g_keyCreated.load()) return nullptr;
    return static_cast<CLinuxThread*>(pthread_getspecific(g_key));
}

// The handlers and the key would outlive the unmapped code otherwise.
void ShutdownThreadLayer() {
    DestroyMainThreadObject();
    if (g_handlersInstalled.exchange(false)) {
        sigaction(SIGUSR1, &g_previousSuspend, nullptr);
        sigaction(SIGUSR2, &g_previousResume, nullptr);
    }
    if (g_keyCreated.exchange(false)) pthread_key_delete(g_key);
}
