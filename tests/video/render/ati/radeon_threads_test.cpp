// Frames on one thread while geometry, properties, suspend and resume come
// from another: the renderer's mutex keeps the buffer index, the transform,
// the buffers and the library calls apart (run under ThreadSanitizer).
#include <atomic>
#include <thread>

#include "sim/display/sim_display.h"
#include "tests/video/render/ati/radeon_fixture.h"

namespace {

using radeontest::RadeonRendererTest;
using rendertest::PackedFrame;
using rendertest::PlanarFrame;

class RadeonThreads : public RadeonRendererTest {};

// The control thread runs until frames have been converted between its
// suspensions (a frame while suspended costs next to nothing), with a
// generous bound; the capture thread runs until the control thread is done.
TEST_F(RadeonThreads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    std::atomic<bool> done{false};
    std::atomic<int> frames{0}, converted{0};
    std::thread capture([&] {
        PackedFrame small(320, 240, 60), large(720, 480, 200);
        PlanarFrame planar(352, 288, 3u);
        int last = renderer_->BufferIndex();
        for (int i = 0; !done || i < 300; ++i) {
            CVRLNPicture* p = (i / 40) % 3 == 0   ? small.Get()
                              : (i / 40) % 3 == 1 ? large.Get()
                                                  : planar.Get();
            renderer_->DrawPicture(p);
            renderer_->Flip(p);
            const int index = renderer_->BufferIndex();
            if (index != last) ++converted;
            last = index;
            ++frames;
        }
    });
    for (int round = 0; round < 100000 && (round < 300 || converted < 30); ++round) {
        const VRLNRect d{10 + round % 7, 10, 500 + round % 11, 400};
        renderer_->SetOutputRect(0, &d, nullptr);
        Set(kPropBrightness, round % 65 - 32);
        Set(kPropHue, 32 - round % 65);
        int32_t value = 0;
        Get(kPropContrast, &value);
        Set(kPropColourKey, round);
        if (round % 5 == 0) SetNoValue(kPropSuspendVideo);
        if (round % 5 == 2) SetNoValue(kPropResumeVideo);
        if (round % 7 == 3) Set(kPropRestoreDisplay, 0);
        renderer_->Refresh(0, 0);
        renderer_->ClearPicture();
    }
    done = true;
    capture.join();
    EXPECT_GE(frames.load(), 300);
    EXPECT_GE(converted.load(), 30) << "frames were converted between suspensions";
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

}  // namespace
