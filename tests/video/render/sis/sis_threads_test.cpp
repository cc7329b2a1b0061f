// Frames, with size changes, on one thread while geometry, refreshes,
// clears and properties come from another: the SiS renderer's own mutex
// keeps the library calls and the buffers apart (run under ThreadSanitizer).
#include "tests/video/render/control_beside_frames.h"
#include "tests/video/render/sis/sis_fixture.h"

namespace {

using sistest::PackedPicture;
using sistest::SisRendererTest;

class SisThreads : public SisRendererTest {};

TEST_F(SisThreads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    int frames = 0;
    PackedPicture small(352, 288, 60), full(720, 576, 200);
    rendertest::ControlBesideFrames(
        240,
        [&](int i) {
            PackedPicture& p = (i / 40) % 2 ? full : small;
            renderer_->DrawPicture(p.Get());
            if (renderer_->Flip(p.Get()) == 0) ++frames;
        },
        [&](int round) {
            const VRLNRect d{10 + round % 7, 10, 500 + round % 11, 400};
            renderer_->SetOutputRect(0, &d, nullptr);
            Set(kPropBrightness, round % 65 - 32);
            int32_t value = 0;
            Get(kPropContrast, &value);
            Set(kPropColourKey, 0x0821);
            if (round % 3 == 0) renderer_->ClearPicture();
            renderer_->Refresh(0, 0);
        });
    EXPECT_EQ(frames, 240) << "every frame had a window";
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    EXPECT_TRUE(renderer_->HasWindow());
    EXPECT_EQ(SimDisplayStateNow().surfaces, CVRLNSiS::kBufferCount) << "no buffers leaked";
}

}  // namespace
