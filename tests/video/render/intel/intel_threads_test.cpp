// Frames on one thread while geometry, properties, suspend and resume come
// from another: the renderer's mutex keeps the library calls apart (run
// under ThreadSanitizer).
#include "sim/display/sim_display.h"
#include "tests/video/render/control_beside_frames.h"
#include "tests/video/render/intel/intel_fixture.h"

namespace {

using inteltest::IntelRendererTest;
using inteltest::PackedPicture;

class IntelThreads : public IntelRendererTest {};

TEST_F(IntelThreads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    int frames = 0;
    PackedPicture small(320, 240, 60), large(720, 480, 200);
    rendertest::ControlBesideFrames(
        300,
        [&](int i) {
            PackedPicture& p = (i / 50) % 2 ? large : small;
            renderer_->DrawPicture(p.Get());
            renderer_->Flip(p.Get());
            ++frames;
        },
        [&](int round) {
            const VRLNRect d{10 + round % 7, 10, 500 + round % 11, 400};
            renderer_->SetOutputRect(0, &d, nullptr);
            Set(kPropBrightness, round % 65 - 32);
            int32_t value = 0;
            Get(kPropContrast, &value);
            if (round % 5 == 0) SetNoValue(kPropSuspendVideo);
            if (round % 5 == 2) SetNoValue(kPropResumeVideo);
            renderer_->Refresh(0, 0);
        });
    SetNoValue(kPropResumeVideo);
    EXPECT_EQ(frames, 300);
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    EXPECT_EQ(SimDisplayStateNow().lockedSurfaces, 0) << "every lock was matched";
    EXPECT_LE(SimDisplayStateNow().surfaces, 3) << "no surfaces leaked";
}

}  // namespace
