// A program run on a pseudo-terminal of a given size, as a person runs it in a
// terminal window: its output is read into a VirtualTerminal, keys are typed
// into it, and the terminal's modes can be read before and after it runs.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/apps/virtual_terminal.h"

namespace testterm {

class PtyProcess {
  public:
    // Runs program with args and the extra environment ("NAME=value").
    PtyProcess(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& environment, int columns, int rows);
    ~PtyProcess();
    PtyProcess(const PtyProcess&) = delete;
    PtyProcess& operator=(const PtyProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

    void Type(const std::string& keys);
    // Reads output until `done` holds for the screen, at most timeoutMs.
    bool WaitFor(const std::function<bool(const VirtualTerminal&)>& done, int timeoutMs);
    // Reads output until the program ends, at most timeoutMs; its wait status,
    // or -1 on time-out.
    int WaitForExit(int timeoutMs);

    const VirtualTerminal& Screen() const { return screen_; }
    // The terminal's modes now (the program's while it runs, what it left after).
    termios Modes() const;
    const termios& ModesBefore() const { return before_; }
    // Everything the program wrote.
    const std::string& Output() const { return output_; }

  private:
    void ReadFor(int timeoutMs);

    int master_ = -1;
    int slave_ = -1;
    pid_t pid_ = -1;
    int status_ = -1;
    termios before_{};
    VirtualTerminal screen_;
    std::string output_;
};

}  // namespace testterm
