// Frames on one thread while the destination and the colour properties come
// from another: both send the configuration records, and the renderer's
// mutex keeps them apart (run under ThreadSanitizer).
#include "tests/video/render/control_beside_frames.h"
#include "tests/video/render/nvidia/nvidia_fixture.h"

namespace {

using nvidiatest::NvidiaRendererTest;
using nvidiatest::PackedPicture;

class NvidiaThreads : public NvidiaRendererTest {};

TEST_F(NvidiaThreads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    int frames = 0;
    PackedPicture full(720, 480, 60, 200), zoomed(640, 480, 90, 120), small(352, 240);
    rendertest::ControlBesideFrames(
        240,
        [&](int i) {
            PackedPicture& p = i % 3 == 0 ? full : i % 3 == 1 ? zoomed : small;
            p.Get()->pictureFlags = (i / 40) % 2 ? kPictureAspectBits : 0;
            if (Frame(&p) == 0) ++frames;
        },
        [&](int round) {
            SetDestination(round % 9, 0, 640 + round % 700, 479 + round % 5);
            Set(kPropContrast, round % 65 - 32);
            int32_t value = 0;
            Get(kPropHue, &value);
            if (round % 7 == 0) SetNoValue(kPropResetColours);
        });
    EXPECT_EQ(frames, 240);
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1) << "the last frame is shown";
    EXPECT_LE(s.surfaces, 2) << "the library's two frame buffers, none leaked";
}

}  // namespace
