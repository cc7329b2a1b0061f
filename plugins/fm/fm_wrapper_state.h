// What one FM wrapper holds, shared by its command handlers and its seek worker.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "interfaces/media_types.h"
#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_settings_keys.h"
#include "plugins/fm/fm_tuner.h"
#include "plugins/fm/seek_queue.h"
#include "plugins/fm/seek_worker.h"

namespace sonidra {

// Command numbers with a meaning outside their handler.

// Tuner properties the FM engine drives.
enum : int { kPropertyVolume = 34, kPropertyMute = 39 };
constexpr int kMaxVolume = 16;

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

// Arguments of one command as the engine table passes them. Sizes are checked before
// a byte is touched: a size given must hold the item; 0 means none was given, which
// the controller does for the int items of its commands, so only commands whose
// caller always gives a size (the band's 57 and 58) insist on one.
struct CommandArgs {
    void* in;
    int inSize;
    void* out;
    int outSize;

    template <typename T>
    bool ReadIn(T* value, bool sizeRequired = false) const {
        if (!in || !Holds(inSize, sizeof(T), sizeRequired)) return false;
        *value = *static_cast<const T*>(in);
        return true;
    }
    bool HasOut() const { return out && Holds(outSize, sizeof(int), false); }
    void WriteOut(int value) const {
        if (HasOut()) *static_cast<int*>(out) = value;
    }

  private:
    static bool Holds(int size, size_t needed, bool sizeRequired) {
        if (size == 0) return !sizeRequired;
        return size > 0 && static_cast<size_t>(size) >= needed;
    }
};

using CommandHandler = int (*)(FmWrapperState& state, const CommandArgs& args);

// The handler of a command, or null for commands that do nothing.
CommandHandler FindCommandHandler(unsigned command);

}  // namespace sonidra
