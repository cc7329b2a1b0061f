// The exported fake ZMP_DIRECTPLAY / ZMP_STOPDIRECTPLAY of the test program.
#include "tests/sim/tuner/fake_direct_play.h"

#include <numeric>

#define TEST_EXPORT __attribute__((visibility("default")))

namespace fakeplay {
namespace {

Record record;

void OnFrame(void* context, unsigned char* frame) {
    auto* r = static_cast<Record*>(context);
    if (!frame) {
        ++r->nullFrames;
        return;
    }
    std::lock_guard<std::mutex> lock(r->mutex);
    const size_t bytes = static_cast<size_t>(r->width) * r->height * 2;
    // Touch the first and last byte so a short frame shows up under the sanitizers.
    volatile unsigned char ends = static_cast<unsigned char>(frame[0] ^ frame[bytes - 1]);
    (void)ends;
    if (r->keepFrames) r->kept.emplace_back(frame, frame + bytes);
    ++r->frames;
}

}  // namespace

Record& Played() {
    return record;
}

void ResetPlayed() {
    record.starts = record.stops = record.frames = record.nullFrames = 0;
    record.startResult = 0;
    std::lock_guard<std::mutex> lock(record.mutex);
    record.window = nullptr;
    record.rect = {};
    record.driverId = -1;
    record.width = record.height = 0;
    record.kept.clear();
    record.keepFrames = false;
}

}  // namespace fakeplay

extern "C" TEST_EXPORT int ZMP_DIRECTPLAY(void* window, ZaqRect* rect) {
    using fakeplay::record;
    int format = 0, width = 0, height = 0;
    ZMP_GetTVFormat_Size(&format, &width, &height);
    const int driver = ZMP_GetDriverID();
    {
        std::lock_guard<std::mutex> lock(record.mutex);
        record.window = window;
        record.rect = *rect;
        record.driverId = driver;
        record.width = width;
        record.height = height;
    }
    ++record.starts;
    ZMP_InstallTunerCallBackFunction(fakeplay::OnFrame, &record, ZMP_TUNER_CLIENT);
    return record.startResult;
}

extern "C" TEST_EXPORT int ZMP_STOPDIRECTPLAY(void) {
    ZMP_UninstallTunerCallBackFunction(ZMP_TUNER_CLIENT);
    ++fakeplay::record.stops;
    return 0;
}
