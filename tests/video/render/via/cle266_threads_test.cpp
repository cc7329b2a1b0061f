// Frames on one thread while geometry, the colour key, refreshes and the
// surface operations come from another (run under ThreadSanitizer).
#include <atomic>
#include <thread>

#include "sim/display/sim_display.h"
#include "tests/video/render/control_beside_frames.h"
#include "tests/video/render/via/cle266_fixture.h"

namespace {

using cle266test::Cle266RendererTest;
using rendertest::PackedFrame;

class Cle266Threads : public Cle266RendererTest {};

TEST_F(Cle266Threads, FramesAndControlCallsFromTwoThreads) {
    OpenRenderer();
    int frames = 0;
    PackedFrame small(320, 240, 60), large(720, 480, 200);
    rendertest::ControlBesideFrames(
        200,
        [&](int i) {
            CVRLNPicture* p = (i / 25) % 2 ? large.Get() : small.Get();
            renderer_->DrawPicture(p);
            renderer_->Flip(p);
            ++frames;
        },
        [&](int round) {
            const VRLNRect d{10 + round % 7, 10, 500 + round % 11, 400};
            renderer_->SetOutputRect(0, &d, nullptr);
            Set(kPropColourKey, round);
            int32_t key = 0;
            Get(kPropColourKey, &key);
            renderer_->Refresh(0, 0);
            if (round % 9 == 4) {
                renderer_->ReleaseSurfaces();
                renderer_->CreateSurfaces();
            }
        });
    EXPECT_EQ(frames, 200);
    EXPECT_EQ(renderer_->MutexHolders(), 0);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << "nothing left behind";
}

TEST_F(Cle266Threads, CloseFromTheCallersThreadWhileFramesArrive) {
    OpenRenderer();
    std::atomic<bool> started{false};
    std::thread capture([&] {
        PackedFrame frame(720, 480, 70);
        for (int i = 0; i < 100; ++i) {
            renderer_->PresentPicture(frame.Get());
            started = true;
        }
    });
    while (!started) std::this_thread::yield();
    EXPECT_EQ(renderer_->Close(), 0);
    capture.join();
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    EXPECT_EQ(sim_display_library_loaded("libddmpeg.so"), 0);
}

}  // namespace
