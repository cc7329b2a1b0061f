// Puts the terminal into the modes an interactive session needs and always puts
// it back: at the end of the guard's life, on Ctrl-C, SIGTERM and SIGHUP, and on
// a crash signal. The first Ctrl-C (or SIGTERM, SIGHUP) only asks the session to
// stop, so it can close its engine and store its settings; a second one restores
// the terminal and ends the program at once. A crash signal restores the
// terminal and then takes its default action (a core dump where enabled).
//
// One guard at a time (the saved modes are process-wide, for the handlers).
#pragma once

namespace host {

class TerminalGuard {
  public:
    enum Screen { kLines, kFullScreen };

    // Keys one by one without echo; kFullScreen also switches to the alternate
    // screen and hides the cursor. Modes change only when stdin is a terminal.
    explicit TerminalGuard(Screen screen);
    ~TerminalGuard();
    TerminalGuard(const TerminalGuard&) = delete;
    TerminalGuard& operator=(const TerminalGuard&) = delete;

    // Ctrl-C, SIGTERM or SIGHUP arrived while a guard was alive.
    static bool StopRequested();
    // The terminal changed its size since the last call.
    static bool TakeResize();
};

}  // namespace host
