// The seek worker's loop.
#include "plugins/fm/seek_worker.h"

#include <utility>

#include "plugins/common/sleep_ms.h"

namespace sonidra {

SeekWorker::SeekWorker(Pass pass) : pass_(std::move(pass)), thread_([this] { Loop(); }) {}

SeekWorker::~SeekWorker() {
    Stop();
}

void SeekWorker::Stop() {
    running_.store(false);
    if (thread_.joinable()) thread_.join();
}

void SeekWorker::Loop() {
    while (running_.load()) {
        SleepMilliseconds(10);
        if (running_.load()) pass_();
    }
}

}  // namespace sonidra
