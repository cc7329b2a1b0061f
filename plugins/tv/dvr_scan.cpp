// The channel-scan thread: walks every slot, reporting each station found
// (3/50), the progress (15/91) and the end (3/114) to the controller.
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/dvr_engine.h"

namespace {

std::atomic<bool> gScanRunning{false};

constexpr int kSlotFound = 50;
constexpr int kScanProgress = 91;
constexpr int kScanFinished = 114;

}  // namespace

bool DvrScanRunning() {
    return gScanRunning.load();
}

void DvrEngine::StartScan() {
    std::lock_guard<std::mutex> guard(scanLock_);
    if (gScanRunning.load()) return;
    // A scan that ended by itself still has to be joined.
    if (scan_.joinable()) scan_.join();
    gScanRunning.store(true);
    scan_ = std::thread(&DvrEngine::RunScan, this);
}

void DvrEngine::StopScan() {
    std::lock_guard<std::mutex> guard(scanLock_);
    gScanRunning.store(false);
    if (scan_.joinable()) scan_.join();
}

void DvrEngine::ScanSlot(int slot) {
    int found = 0;
    DispatchDvrCommand(*this, kDvrScanChannel, reinterpret_cast<void*>(static_cast<intptr_t>(slot)),
                       0, &found);
    if (found) Report(kCmdSetMenu, slot, kSlotFound);
}

void DvrEngine::RunScan() {
    const int count = channelCount.load();
    int i = 0;
    for (; i < count && gScanRunning.load(); ++i) {
        if (i > 0) ScanSlot(i - 1);
        Report(kCmdSetSettings, i, kScanProgress);
        std::this_thread::yield();
    }
    // The walk scans slot i - 1 in step i, so the last slot is scanned after
    // it; without this a station there could never be found.
    if (i == count && count > 0 && gScanRunning.load()) ScanSlot(count - 1);
    gScanRunning.store(false);
    Report(kCmdSetMenu, i, kScanFinished);
}
