// Frames, with size changes, on one thread while geometry, refreshes,
// clears and properties come from another: the S3 Twister
// renderer's mutex keeps them apart (run under ThreadSanitizer).
#include "tests/video/render/control_beside_frames.h"
#include "tests/video/render/s3/s3_fixture.h"

namespace {

using s3test::PackedPicture;
using s3test::S3RendererTest;

class S3Threads : public S3RendererTest {};

TEST_F(S3Threads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    int frames = 0;
    PackedPicture small(320, 240, 60), full(720, 576, 200);
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
            if (round % 3 == 0) renderer_->ClearPicture();
            renderer_->Refresh(0, 0);
        });
    EXPECT_EQ(frames, 240);
    EXPECT_EQ(Count("FlipOverlay__FUiUiUiUiUiUi"), 240) << "every frame reached the overlay";
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    EXPECT_EQ(SimDisplayStateNow().lockedSurfaces, 0) << "every lock was matched";
    EXPECT_EQ(SimDisplayStateNow().surfaces, CVRLNS3Twister::kSurfaceCount);
}

}  // namespace
