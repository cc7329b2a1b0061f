// openpty keeps both ends in the test, so the terminal outlives the program and
// its modes can be read after it has gone.
#include "tests/apps/pty_process.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "tests/apps/program_line.h"

namespace testterm {
namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

PtyProcess::PtyProcess(const std::string& program, const std::vector<std::string>& args,
                       const std::vector<std::string>& environment, int columns, int rows)
    : screen_(columns, rows) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) return;
    tcgetattr(slave_, &before_);
    std::vector<std::string> argv = ProgramLine(program, args);
    pid_ = fork();
    if (pid_ == 0) {
        close(master_);
        login_tty(slave_);
        // A program ended by a signal leaves no core file behind.
        rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        for (const std::string& entry : environment) putenv(strdup(entry.c_str()));
        ExecLine(argv);
    }
}

PtyProcess::~PtyProcess() {
    if (pid_ > 0 && status_ == -1) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
}

void PtyProcess::Type(const std::string& keys) {
    ssize_t written = write(master_, keys.data(), keys.size());
    (void)written;
}

void PtyProcess::ReadFor(int timeoutMs) {
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0) return;
    char buffer[65536];
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got <= 0) return;
    const std::string bytes(buffer, size_t(got));
    output_ += bytes;
    screen_.Feed(bytes);
}

bool PtyProcess::WaitFor(const std::function<bool(const VirtualTerminal&)>& done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done(screen_)) {
        if (Clock::now() >= deadline) return false;
        ReadFor(std::min(MsLeft(deadline), 100));
    }
    return true;
}

int PtyProcess::WaitForExit(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (status_ == -1) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
            break;
        }
        if (Clock::now() >= deadline) return -1;
        ReadFor(std::min(MsLeft(deadline), 100));
    }
    // What it wrote last is still in the terminal.
    for (int drained = 0; drained < 50; ++drained) {
        pollfd fd{master_, POLLIN, 0};
        if (poll(&fd, 1, 0) <= 0) break;
        ReadFor(0);
    }
    return status_;
}

termios PtyProcess::Modes() const {
    termios modes{};
    tcgetattr(slave_, &modes);
    return modes;
}

}  // namespace testterm
