// Terminal size, frame layout and the single write of each frame.
#include "apps/live_screen.h"

#include <errno.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace host {

TerminalSize CurrentTerminalSize() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0)
        return {size.ws_col, size.ws_row};
    return {};
}

TerminalSize FitPicture(TerminalSize terminal, int statusRows, int pictureWidth,
                        int pictureHeight) {
    const int rows = std::max(1, terminal.rows - statusRows);
    if (pictureWidth <= 0 || pictureHeight <= 0) return {terminal.columns, rows};
    // A cell is about half as wide as it is high, so a cell row covers two
    // picture rows for each picture column.
    int columns = std::min(terminal.columns, rows * 2 * pictureWidth / pictureHeight);
    columns = std::max(1, columns);
    const int fittedRows = std::max(1, std::min(rows, columns * pictureHeight / pictureWidth / 2));
    return {columns, fittedRows};
}

std::string ComposeFrame(const std::vector<std::string>& lines) {
    std::string frame = "\x1b[H";
    for (size_t i = 0; i < lines.size(); ++i) {
        frame += lines[i];
        frame += "\x1b[0m\x1b[K";
        if (i + 1 < lines.size()) frame += "\r\n";
    }
    frame += "\x1b[J";
    return frame;
}

LiveScreen::LiveScreen() : guard_(TerminalGuard::kFullScreen), size_(CurrentTerminalSize()) {}

void LiveScreen::Show(const std::vector<std::string>& lines) {
    if (TerminalGuard::TakeResize()) size_ = CurrentTerminalSize();
    const std::string frame = ComposeFrame(lines);
    // One write for the frame; a terminal may take fewer bytes at a time.
    size_t done = 0;
    while (done < frame.size()) {
        const ssize_t wrote = write(STDOUT_FILENO, frame.data() + done, frame.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return;
        done += size_t(wrote);
    }
}

}  // namespace host
