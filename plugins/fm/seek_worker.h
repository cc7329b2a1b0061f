// The thread that runs an FM wrapper's seeks: every 10 ms it makes one pass, in which
// the wrapper takes at most one request from its seek queue and runs it, so a sweep
// never blocks the controller that queued it.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace sonidra {

class SeekWorker {
  public:
    using Pass = std::function<void()>;

    // Starts the thread at once.
    explicit SeekWorker(Pass pass);
    // Stops and joins.
    ~SeekWorker();
    SeekWorker(const SeekWorker&) = delete;
    SeekWorker& operator=(const SeekWorker&) = delete;

    // Clears the running flag and joins (once). A running sweep must have been asked
    // to stop first, or this waits for its end.
    void Stop();

  private:
    void Loop();

    Pass pass_;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

}  // namespace sonidra
