// The saved terminal modes and the signal handlers that put them back. Everything
// a handler touches is set before the handlers are installed, and a handler calls
// only async-signal-safe functions (tcsetattr, write, signal, raise).
#include "apps/terminal_guard.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace host {
namespace {

constexpr char kEnterFullScreen[] = "\x1b[?1049h\x1b[?25l\x1b[H\x1b[2J";
constexpr char kLeaveFullScreen[] = "\x1b[0m\x1b[?25h\x1b[?1049l";

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

termios g_saved{};
volatile sig_atomic_t g_haveSaved = 0;
volatile sig_atomic_t g_fullScreen = 0;
std::atomic<int> g_stops{0};
std::atomic<bool> g_resized{false};

void Restore() {
    if (g_fullScreen) {
        ssize_t ignored = write(STDOUT_FILENO, kLeaveFullScreen, sizeof kLeaveFullScreen - 1);
        (void)ignored;
        g_fullScreen = 0;
    }
    if (g_haveSaved) {
        tcsetattr(STDIN_FILENO, TCSANOW, &g_saved);
        g_haveSaved = 0;
    }
}

void DieBy(int signal) {
    Restore();
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void OnStop(int signal) {
    if (g_stops.fetch_add(1) > 0) DieBy(signal);
}

void OnResize(int) {
    g_resized.store(true);
}

// The handlers the guard replaced, put back when it ends.
constexpr int kMaxSignal = 65;
struct sigaction g_previous[kMaxSignal];

void Install(int signal, void (*handler)(int)) {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, &g_previous[signal]);
}

void Uninstall(int signal) {
    sigaction(signal, &g_previous[signal], nullptr);
}

}  // namespace

TerminalGuard::TerminalGuard(Screen screen) {
    g_stops.store(0);
    if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &g_saved) == 0) {
        g_haveSaved = 1;
        termios raw = g_saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 0;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    for (int signal : kStopSignals) Install(signal, OnStop);
    for (int signal : kCrashSignals) Install(signal, DieBy);
    Install(SIGWINCH, OnResize);
    if (screen == kFullScreen && isatty(STDOUT_FILENO)) {
        g_fullScreen = 1;
        ssize_t ignored = write(STDOUT_FILENO, kEnterFullScreen, sizeof kEnterFullScreen - 1);
        (void)ignored;
    }
}

TerminalGuard::~TerminalGuard() {
    Restore();
    for (int signal : kStopSignals) Uninstall(signal);
    for (int signal : kCrashSignals) Uninstall(signal);
    Uninstall(SIGWINCH);
}

bool TerminalGuard::StopRequested() {
    return g_stops.load() > 0;
}

bool TerminalGuard::TakeResize() {
    return g_resized.exchange(false);
}

}  // namespace host
