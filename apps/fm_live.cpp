// The FM screen redrawn in place: the radio's panel, what a running seek is
// passing, the sleep timer and the keys.
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "apps/fm_driver.h"
#include "apps/fm_runner.h"
#include "apps/fm_screen.h"
#include "apps/live_loop.h"
#include "apps/live_screen.h"

namespace host {
namespace {

constexpr std::chrono::milliseconds kCloseGrace{10000};
// The exit code of a session ended by Ctrl-C (or SIGTERM, SIGHUP), as shells give it.
constexpr int kInterrupted = 130;
constexpr char kFmKeys[] =
    "q start  x exit  digits+Enter frequency  < > step  [ ] seek  s stop  ( ) presets  "
    "! store  L list  + - volume  f mute  S menu";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string Cut(const std::string& text, int columns) {
    return text.size() > size_t(columns) ? text.substr(0, size_t(columns)) : text;
}

class FmLiveView {
  public:
    explicit FmLiveView(FmDriver* driver) : driver_(driver) {}

    void Key(int key) {
        int fmKey = FmArrow(key);
        if (key == '!') {
            fmKey = kStorePresetBase + nextPreset_;
            nextPreset_ = (nextPreset_ + 1) % 10;
        } else if (key == 'L') {
            fmKey = kListPresets;
        }
        driver_->Press(fmKey);
        lastKey_ = FmKeyLabel(fmKey);
    }

    void Draw() {
        const int columns = screen_.Size().columns;
        std::vector<std::string> lines = Lines(FmScreenText());
        const std::string seek = driver_->SeekText();
        const std::string sleep = driver_->SleepText();
        std::string activity = seek.empty() ? "last key: " + lastKey_ : seek;
        if (!sleep.empty()) activity += "   " + sleep;
        lines.push_back("");
        lines.push_back(Cut(activity, columns));
        lines.push_back(Cut(kFmKeys, columns));
        screen_.Show(lines);
    }

  private:
    FmDriver* driver_;
    LiveScreen screen_;
    std::string lastKey_ = "none (q starts the radio)";
    int nextPreset_ = 0;
};

}  // namespace

int RunFmLive(const RunOptions& options) {
    FmDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    bool interrupted = false;
    {
        FmLiveView view(&driver);
        LiveLoopSteps steps;
        steps.key = [&](int key) { view.Key(key); };
        steps.follow = [&] { driver.Follow(); };
        steps.draw = [&] { view.Draw(); };
        steps.done = [&] { return driver.Ended(); };
        steps.stop = [&] {
            interrupted = TerminalGuard::StopRequested();
            driver.Leave();
        };
        RunLiveLoop(steps, kCloseGrace);
    }
    const int result = driver.Finish();
    return result == 0 && interrupted ? kInterrupted : result;
}

}  // namespace host
