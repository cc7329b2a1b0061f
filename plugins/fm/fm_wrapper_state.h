// What one FM wrapper holds, shared by its command handlers and its seek worker.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "interfaces/media_types.h"
#include "plugins/fm/fm_tuner.h"
#include "plugins/fm/seek_queue.h"
#include "plugins/fm/seek_worker.h"

namespace sonidra {

// Command numbers with a meaning outside their handler.
enum : int { kCommandSeekUp = 37, kCommandSeekDown = 38 };

// Tuner properties the FM engine drives.
enum : int { kPropertyVolume = 34, kPropertyMute = 39 };
constexpr int kMaxVolume = 16;
constexpr const char kVolumeKey[] = "SolvaneON_FM_VOLUME";

struct FmWrapperState {
    FmWrapperState();
    ~FmWrapperState();

    // Sends (set, null, len, value) to the installed callback, if any.
    void Report(int set, int len, int value);
    // Ends a running sweep and waits for it, then stops direct play and closes the
    // tuner, so the worker never samples a closed tuner.
    void StopRadio();
    // One pass of the seek worker: at most one request.
    void RunNextSeek();
    void RunSeek(const SeekRequestNode& request);
    bool SweepMustEnd() const { return stopRequest.load() || closing.load() > 0; }

    FmTuner tuner;
    std::atomic<bool> muted{false};
    std::atomic<bool> stopRequest{false};
    // Nonzero while the radio is being closed: ends a sweep even one that has just
    // begun (a seek's start clears stopRequest, never this).
    std::atomic<int> closing{0};
    std::atomic<MediaEventCallback> callback{nullptr};
    SeekQueue seeks;
    // Held by the worker while it takes and runs a request, and by closing.
    std::mutex sweepMutex;
    // Started last, stopped first.
    std::unique_ptr<SeekWorker> worker;
};

// Arguments of one command as the engine table passes them.
struct CommandArgs {
    void* in;
    int inSize;
    void* out;
    int outSize;
};

using CommandHandler = int (*)(FmWrapperState& state, const CommandArgs& args);

// The handler of a command, or null for commands that do nothing.
CommandHandler FindCommandHandler(unsigned command);

}  // namespace sonidra
