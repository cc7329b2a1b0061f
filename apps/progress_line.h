// One line of progress redrawn in place while the host waits for long work (a
// scan, a seek), on a terminal only: scripts and logs get no such lines.
#pragma once

#include <string>

namespace host {

class ProgressLine {
  public:
    ProgressLine();
    ~ProgressLine() { Clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Shows text in place of the line shown before; "" clears it.
    void Show(const std::string& text);
    void Clear() { Show(""); }

  private:
    bool terminal_;
    std::string shown_;
};

}  // namespace host
