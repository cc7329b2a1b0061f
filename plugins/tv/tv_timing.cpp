// The TV controller's adjustable pauses.
#include "plugins/tv/tv_timing.h"

#include <atomic>

namespace {
std::atomic<int> gNoticeDelayMs{4000};
}

int TvNoticeDelayMs() {
    return gNoticeDelayMs.load();
}
void SetTvNoticeDelayMs(int ms) {
    gNoticeDelayMs.store(ms);
}
