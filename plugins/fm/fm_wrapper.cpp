// CFM_WRAPPER's life: construction (mixer, worker), destruction (sweep ended first, then
// the worker joined) and the command dispatch.
#include "plugins/fm/fm_wrapper.h"

#include "plugins/common/oss_mixer.h"
#include "plugins/fm/fm_wrapper_state.h"

namespace sonidra {

FmWrapperState::FmWrapperState() {
    SetMixerLevel(kMaxVolume);
    worker = std::make_unique<SeekWorker>([this] { RunNextSeek(); });
}

FmWrapperState::~FmWrapperState() {
    // Without this the join would wait for a whole sweep.
    closing.fetch_add(1);
    worker->Stop();
    seeks.Clear();
    std::lock_guard<std::mutex> sweep(sweepMutex);
    tuner.Stop();
}

void FmWrapperState::Report(int set, int len, int value) {
    if (MediaEventCallback fn = callback.load())
        fn(set, nullptr, static_cast<unsigned>(len), value);
}

void FmWrapperState::StopRadio() {
    closing.fetch_add(1);
    {
        std::lock_guard<std::mutex> sweep(sweepMutex);
        tuner.Stop();
    }
    closing.fetch_sub(1);
}

}  // namespace sonidra

CFM_WRAPPER::CFM_WRAPPER() : state_(std::make_unique<sonidra::FmWrapperState>()) {}

CFM_WRAPPER::~CFM_WRAPPER() = default;

int CFM_WRAPPER::Command(unsigned command, void* in, int inSize, void* out, int outSize) {
    sonidra::CommandHandler handler = sonidra::FindCommandHandler(command);
    if (!handler) return 0;
    return handler(*state_, sonidra::CommandArgs{in, inSize, out, outSize});
}

int CFM_WRAPPER::SetCallback(MediaEventCallback callback) {
    state_->callback.store(callback);
    return 0;
}
