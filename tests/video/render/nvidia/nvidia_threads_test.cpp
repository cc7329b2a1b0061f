// Frames on one thread while the destination and the colour properties come
// from another: both send the configuration records, and the renderer's
// mutex keeps them apart (run under ThreadSanitizer).
#include <atomic>
#include <thread>

#include "tests/video/render/nvidia/nvidia_fixture.h"

namespace {

using nvidiatest::NvidiaRendererTest;
using nvidiatest::PackedPicture;

class NvidiaThreads : public NvidiaRendererTest {};

TEST_F(NvidiaThreads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    std::atomic<bool> done{false};
    std::atomic<int> frames{0};
    std::thread capture([&] {
        PackedPicture full(720, 480, 60, 200), zoomed(640, 480, 90, 120), small(352, 240);
        for (int i = 0; i < 240; ++i) {
            PackedPicture& p = i % 3 == 0 ? full : i % 3 == 1 ? zoomed : small;
            p.Get()->pictureFlags = (i / 40) % 2 ? kPictureAspectBits : 0;
            if (Frame(&p) == 0) ++frames;
        }
        done = true;
    });
    int round = 0;
    while (!done) {
        SetDestination(round % 9, 0, 640 + round % 700, 479 + round % 5);
        Set(kPropContrast, round % 65 - 32);
        int32_t value = 0;
        Get(kPropHue, &value);
        if (round % 7 == 0) SetNoValue(kPropResetColours);
        ++round;
    }
    capture.join();
    EXPECT_EQ(frames.load(), 240);
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    EXPECT_GT(round, 0);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1) << "the last frame is shown";
    EXPECT_LE(s.surfaces, 2) << "the library's two frame buffers, none leaked";
}

}  // namespace
