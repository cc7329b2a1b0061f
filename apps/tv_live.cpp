// Live TV in the terminal: the picture, redrawn in place from the live frames,
// with the status, the scan's progress and the keys below it.
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "apps/half_blocks.h"
#include "apps/live_loop.h"
#include "apps/live_screen.h"
#include "apps/picture_source.h"
#include "apps/tv_driver.h"
#include "apps/tv_runner.h"

namespace host {
namespace {

constexpr int kStatusRows = 3;
constexpr int kProgressBarWidth = 30;
constexpr std::chrono::milliseconds kCloseGrace{10000};
// The exit code of a session ended by Ctrl-C (or SIGTERM, SIGHUP), as shells give it.
constexpr int kInterrupted = 130;
constexpr char kTvKeys[] =
    "q start  x exit  ( ) channel  0-9 number  ! recall  + - volume  f mute  i sound  "
    "= input  a scan  s all  S menu";

std::string Cut(const std::string& text, int columns) {
    return text.size() > size_t(columns) ? text.substr(0, size_t(columns)) : text;
}

class TvLiveView {
  public:
    TvLiveView(TvDriver* driver, std::unique_ptr<PictureSource> source)
        : driver_(driver),
          source_(std::move(source)),
          depth_(ColourDepthFrom(std::getenv("COLORTERM"))) {}

    void Key(int key) {
        driver_->Press(key);
        lastKey_ = TvKeyLabel(key);
    }

    void Draw() {
        CountFrame();
        source_->Take(&picture_);
        const TerminalSize terminal = screen_.Size();
        const TerminalSize fit = FitPicture(terminal, kStatusRows, picture_.width, picture_.height);
        std::vector<std::string> lines = HalfBlockLines(picture_, fit.columns, fit.rows, depth_);
        const std::string scan = driver_->ScanText(kProgressBarWidth);
        const std::string activity = scan.empty() ? "last key: " + lastKey_ : scan;
        lines.push_back(Cut(driver_->StatusLine(), terminal.columns));
        lines.push_back(Cut(activity + "   (" + std::to_string(fps_) + " fps)", terminal.columns));
        lines.push_back(Cut(kTvKeys, terminal.columns));
        screen_.Show(lines);
    }

  private:
    // Frames drawn in the last whole second.
    void CountFrame() {
        const auto now = std::chrono::steady_clock::now();
        ++framesThisSecond_;
        if (now - secondStart_ >= std::chrono::seconds(1)) {
            fps_ = framesThisSecond_;
            framesThisSecond_ = 0;
            secondStart_ = now;
        }
    }

    TvDriver* driver_;
    std::unique_ptr<PictureSource> source_;
    ColourDepth depth_;
    LiveScreen screen_;
    RgbPicture picture_;
    std::string lastKey_ = "none (q starts TV)";
    int fps_ = 0;
    int framesThisSecond_ = 0;
    std::chrono::steady_clock::time_point secondStart_ = std::chrono::steady_clock::now();
};

}  // namespace

int RunTvLive(const RunOptions& options) {
    TvDriver driver;
    if (!driver.Open()) return 1;
    if (options.sleepSeconds > 0) driver.SetSleep(options.sleepSeconds);
    bool interrupted = false;
    {
        TvLiveView view(&driver, ChoosePictureSource(livepreview::CurrentScreen()));
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
