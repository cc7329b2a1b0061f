// The whole terminal as one screen redrawn in place: a picture (or any block of
// text lines) at the top and status lines below it, each frame handed to the
// terminal in a single write so that nothing flickers.
#pragma once

#include <string>
#include <vector>

#include "apps/terminal_guard.h"

namespace host {

struct TerminalSize {
    int columns = 80;
    int rows = 24;
};

// The size of the terminal on stdout; 80 x 24 when it does not say.
TerminalSize CurrentTerminalSize();

// The largest picture, in cells, that keeps the width:height shape of a
// pictureWidth x pictureHeight picture (a cell shows two rows of it) in the
// terminal above `statusRows` lines.
TerminalSize FitPicture(TerminalSize terminal, int statusRows, int pictureWidth, int pictureHeight);

// The bytes of one frame: cursor home, each line cleared to its end, and the
// rest of the screen cleared below the last one.
std::string ComposeFrame(const std::vector<std::string>& lines);

class LiveScreen {
  public:
    LiveScreen();
    // Draws a frame (see ComposeFrame).
    void Show(const std::vector<std::string>& lines);
    TerminalSize Size() const { return size_; }

  private:
    TerminalGuard guard_;
    TerminalSize size_;
};

}  // namespace host
