// Running one seek request on the worker: mute for the sweep, set the tuner's
// sensitivity from the threshold, clear the stop request, walk, unmute, report the end.
#include <mutex>

#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_sweep.h"
#include "plugins/fm/fm_wrapper_state.h"

namespace sonidra {
namespace {

constexpr int kSeekEventSet = 3;

class TunerSweepPort : public SweepPort {
  public:
    explicit TunerSweepPort(FmWrapperState& state) : state_(state), handle_(state.tuner.Handle()) {}
    int Level(int channel) override { return ZAQ_ScanChannel(handle_, channel); }
    void Report(int channel, int event) override { state_.Report(kSeekEventSet, channel, event); }
    bool StopRequested() override { return state_.SweepMustEnd(); }

  private:
    FmWrapperState& state_;
    int handle_;
};

}  // namespace

void FmWrapperState::RunNextSeek() {
    std::lock_guard<std::mutex> sweep(sweepMutex);
    std::unique_ptr<SeekRequestNode> request = seeks.Take();
    if (request) RunSeek(*request);
}

void FmWrapperState::RunSeek(const SeekRequestNode& node) {
    SweepRequest request;
    request.direction = node.command == kFmSeekUp ? SweepDirection::kUp : SweepDirection::kDown;
    request.start = node.start ? *node.start : 0;
    request.threshold = node.threshold;
    request.count = tuner.ChannelCount();
    TunerSweepPort port(*this);
    if (!tuner.IsOpen()) {
        // Nothing to sample; still end the seek so the controller is not left busy.
        port.Report(0, kSeekEventEnd);
        return;
    }
    const int handle = tuner.Handle();
    const bool muteForSweep = !muted.load();
    if (muteForSweep) ZAQ_SetProperty(handle, kPropertyMute, 1);
    ZAQ_SetSensitivityLevel(handle, 2 - request.threshold / 14);
    stopRequest.store(false);
    const SweepOutcome outcome = Sweep(request, port);
    const bool stopped = SweepMustEnd();
    if (muteForSweep) ZAQ_SetProperty(handle, kPropertyMute, 0);
    FinishSweep(request, outcome, stopped, port);
}

}  // namespace sonidra
