// Carriage return and clear-to-end-of-line keep the progress on one line.
#include "apps/progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace host {

ProgressLine::ProgressLine() : terminal_(isatty(STDOUT_FILENO) != 0) {}

void ProgressLine::Show(const std::string& text) {
    if (!terminal_ || text == shown_) return;
    std::printf("\r%s\x1b[K", text.c_str());
    if (text.empty()) std::printf("\r");
    std::fflush(stdout);
    shown_ = text;
}

}  // namespace host
