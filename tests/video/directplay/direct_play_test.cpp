// Direct play through its exported functions with a stand-in tuner service
// and a virtual screen: start and stop in order, the inert and stalled states,
// the key table, the frame callback on the packed and planar paths, capture,
// a second start, and frames racing a stop.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/video/directplay/allocation_counter.h"
#include "tests/video/directplay/fake_tuner.h"
#include "tests/video/render/fb_test_support.h"
#include "video/directplay/direct_play_api.h"
#include "video/directplay/direct_play_session.h"
#include "video/render/frame_buffer.h"

namespace {

using faketuner::Calls;
using faketuner::Deliver;

constexpr int kNoInstance = -1;
constexpr int kBadKey = int(0x80000003u);
constexpr int kFailure = int(0x80000008u);

class DirectPlay : public fbtest::ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        char root[] = "/tmp/mirova_nopci_XXXXXX";
        ASSERT_NE(mkdtemp(root), nullptr);
        pciRoot_ = root;
        setenv("MIROVA_PCI_ROOT", pciRoot_.c_str(), 1);
        faketuner::Install(1, 720, 576);
        testing::internal::CaptureStdout();  // the renderer line
    }
    void TearDown() override {
        ZMP_STOPDIRECTPLAY();
        testing::internal::GetCapturedStdout();
        faketuner::Uninstall();
        unsetenv("MIROVA_PCI_ROOT");
        rmdir(pciRoot_.c_str());
        ScreenTest::TearDown();
    }
    int Start() { return ZMP_DIRECTPLAY(ZAQ_VIDEO_WINDOW, &rect_); }
    CVRLNPicture* Picture() { return CurrentDirectPlaySession()->Picture(); }
    std::vector<uint8_t> Screen() {
        return std::vector<uint8_t>(screen_->Pixels(), screen_->Pixels() + screen_->Bytes());
    }

    ZaqRect rect_{0, 0, 639, 479};
    std::string pciRoot_;
};

TEST_F(DirectPlay, EveryCallButStartNeedsAnInstance) {
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), kNoInstance);
    int value = 0;
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(14, 1), kNoInstance);
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(14, &value), kNoInstance);
    EXPECT_EQ(ZMP_MOVE(nullptr, &rect_, 0), kNoInstance);
    EXPECT_EQ(ZMP_REFRESH(0, 0, 0), kNoInstance);
    EXPECT_EQ(ZMP_FRAMECAPTURE(24, nullptr, 0), kNoInstance);
}

TEST_F(DirectPlay, WithoutATunerDriverStartSucceedsAndFramesAreIgnored) {
    faketuner::Install(0, 720, 576);
    UseScreen(64, 32, 32);
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(CurrentDirectPlaySession()->Picture(), nullptr);
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(14, 3), kNoInstance);
    int value = 0;
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(14, &value), kNoInstance);
    EXPECT_EQ(ZMP_FRAMECAPTURE(24, nullptr, 0), kFailure);
    EXPECT_EQ(ZMP_MOVE(nullptr, &rect_, 0), 0);
    EXPECT_EQ(ZMP_REFRESH(1, 2, 3), 0);
    auto frame = fbtest::BarFrame(720, 576);
    EXPECT_TRUE(Deliver(frame.data()));
    EXPECT_EQ(screen_->Maps(), 0);  // no renderer was ever opened
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), 0);
}

TEST_F(DirectPlay, WithNoRendererStartFailsAndStopCleansUpOnce) {
    setenv("MIROVA_FBDEV", "/nonexistent-folder/screen", 1);
    EXPECT_EQ(Start(), -1);
    unsetenv("MIROVA_FBDEV");
    EXPECT_NE(CurrentDirectPlaySession(), nullptr);
    EXPECT_EQ(faketuner::Tuner().callback.load(), nullptr);  // no callback for a stalled start
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(14, 3), kFailure);  // a driver but no renderer
    int value = 7;
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(15, &value), kFailure);
    EXPECT_EQ(ZMP_FRAMECAPTURE(24, nullptr, 0), kFailure);
    EXPECT_EQ(ZMP_MOVE(nullptr, &rect_, 0), 0);
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), 0);
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), kNoInstance);
}

TEST_F(DirectPlay, StartQueriesTheSizeFirstAndStopUninstallsFirst) {
    UseScreen(64, 32, 16);
    ASSERT_EQ(Start(), 0);
    const auto started = Calls();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0], "ZMP_GetTVFormat_Size");
    EXPECT_EQ(started[1], "ZMP_GetDriverID");
    EXPECT_EQ(started[2], "ZMP_InstallTunerCallBackFunction 1");
    EXPECT_EQ(CurrentDirectPlaySession()->FrameBytes(), 720 * 576 * 2);
    EXPECT_EQ(CurrentDirectPlaySession()->PlanarBytes(), size_t(720 * 576 * 3 / 2));
    EXPECT_EQ(Picture()->plane[1], Picture()->plane[0] + 720 * 576);
    EXPECT_EQ(Picture()->packed, 1);
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), 0);
    EXPECT_EQ(Calls().back(), "ZMP_UninstallTunerCallBackFunction 1");
    EXPECT_TRUE(screen_->CursorVisible());
}

TEST_F(DirectPlay, KeyTableDecidesWhatReachesTheRenderer) {
    UseScreen(64, 32, 32);
    ASSERT_EQ(Start(), 0);
    int value = 0;
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(118, &value), kBadKey);
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(119, &value), kBadKey);
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(99, 1), kBadKey);
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(13, &value), kBadKey);
    // The frame buffer answers none of these: its not-supported code comes back.
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(118, 0), kFailure);
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(24, 0), kFailure);
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(24, &value), kFailure);
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(14, &value), kFailure);
}

TEST_F(DirectPlay, PackedFramesAreShownInPlaceAndNullFramesChangeNothing) {
    UseScreen(64, 32, 32);
    ASSERT_EQ(Start(), 0);
    uint8_t* const plane0 = Picture()->plane[0];
    uint8_t* const plane1 = Picture()->plane[1];
    auto frame = fbtest::BarFrame(720, 576);
    ASSERT_TRUE(Deliver(frame.data()));
    const auto shown = Screen();
    EXPECT_NE(shown, std::vector<uint8_t>(shown.size(), 0));
    EXPECT_EQ(Picture()->plane[0], plane0);
    EXPECT_EQ(Picture()->plane[1], plane1);
    ASSERT_TRUE(Deliver(nullptr));
    EXPECT_EQ(Screen(), shown);
    EXPECT_EQ(Picture()->plane[0], plane0);
    EXPECT_EQ(Picture()->plane[1], plane1);
}

TEST_F(DirectPlay, PlanarPictureTakesChromaFromLines0145) {
    faketuner::Install(1, 4, 8);
    UseScreen(16, 8, 32);
    ASSERT_EQ(Start(), 0);
    Picture()->packed = 0;
    std::vector<uint8_t> frame(4 * 8 * 2);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; x += 4) {
            frame[y * 8 + x + 1] = uint8_t(100 + y);
            frame[y * 8 + x + 3] = uint8_t(200 + y);
        }
    ASSERT_TRUE(Deliver(frame.data()));
    const uint8_t* chroma = Picture()->plane[1];
    const int lines[4] = {0, 1, 4, 5};
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(chroma[m * 4], 100 + lines[m]);
        EXPECT_EQ(chroma[m * 4 + 1], 200 + lines[m]);
    }
}

TEST_F(DirectPlay, FramesAfterTheFirstAllocateNothing) {
    if (AllocationCount() < 0) GTEST_SKIP() << "allocations are not counted in this build";
    UseScreen(320, 240, 32);
    ASSERT_EQ(Start(), 0);
    auto frame = fbtest::BarFrame(720, 576);
    ASSERT_TRUE(Deliver(frame.data()));  // the first frame sizes the scaler
    const long before = AllocationCount();
    ASSERT_GT(before, 0);  // the counter sees the start's allocations
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(Deliver(frame.data()));
    EXPECT_EQ(AllocationCount(), before);
}

TEST_F(DirectPlay, OddFrameSizesRepackInsideTheBuffer) {
    faketuner::Install(1, 720, 578);
    UseScreen(32, 16, 16);
    ASSERT_EQ(Start(), 0);
    Picture()->packed = 0;
    std::vector<uint8_t> frame(720 * 578 * 2, 0x80);
    EXPECT_TRUE(Deliver(frame.data()));
}

TEST_F(DirectPlay, CaptureGivesTheSizeAndThenTheBitmap) {
    UseScreen(64, 32, 16);
    ASSERT_EQ(Start(), 0);
    auto frame = fbtest::BarFrame(720, 576);
    ASSERT_TRUE(Deliver(frame.data()));
    const int bytes = ZMP_FRAMECAPTURE(24, nullptr, 0);
    EXPECT_EQ(bytes, 64 * 32 * 3 + 72);
    std::vector<uint8_t> bitmap(size_t(bytes), 0xEE);
    EXPECT_EQ(ZMP_FRAMECAPTURE(24, bitmap.data(), 0), 0);
    EXPECT_EQ(bitmap[0], 40);
    EXPECT_EQ(bitmap[bytes - 1], 0xEE);  // the 32 spare bytes are not written
}

TEST_F(DirectPlay, SecondStartStopsTheFirstInstance) {
    UseScreen(64, 32, 32);
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(Start(), 0);
    const auto calls = Calls();
    int uninstalls = 0;
    for (const auto& c : calls) uninstalls += c == "ZMP_UninstallTunerCallBackFunction 1";
    EXPECT_EQ(uninstalls, 1);
    EXPECT_EQ(calls.back(), "ZMP_InstallTunerCallBackFunction 1");
    auto frame = fbtest::BarFrame(720, 576);
    EXPECT_TRUE(Deliver(frame.data()));
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), 0);
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), kNoInstance);
}

TEST_F(DirectPlay, FramesArrivingDuringStopNeverReachAGoneRenderer) {
    UseScreen(64, 32, 16);
    auto frame = fbtest::BarFrame(720, 576);
    std::atomic<bool> running{true};
    std::atomic<int> delivered{0};
    ASSERT_EQ(Start(), 0);
    std::thread capture([&] {
        while (running) {
            // Reads callback and context as a careless service would, possibly
            // for an instance that has just been stopped.
            void* context = faketuner::Tuner().context;
            ZmpTunerFrameCallback fn = CDirectPlaySession::OnTunerFrame;
            fn(context, frame.data());
            ++delivered;
        }
    });
    for (int round = 0; round < 20; ++round) {
        const int before = delivered;
        while (delivered < before + 2) std::this_thread::yield();
        EXPECT_EQ(ZMP_STOPDIRECTPLAY(), 0);
        EXPECT_EQ(Start(), 0);
    }
    running = false;
    capture.join();
}

TEST_F(DirectPlay, MoveAndRefreshReturnZeroWithARenderer) {
    UseScreen(64, 32, 32);
    ASSERT_EQ(Start(), 0);
    ZaqRect other{10, 10, 100, 100};
    EXPECT_EQ(ZMP_MOVE(nullptr, &other, 5), 0);
    EXPECT_EQ(ZMP_REFRESH(1, 2, 3), 0);
    EXPECT_EQ(ZMP_MOVE(nullptr, nullptr, 0), 0);
}

}  // namespace
