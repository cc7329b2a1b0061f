// The frame-buffer renderer on virtual screens: depths and their log lines,
// buffer sizes by line length and by what is written, the frame path, the
// shared overlay record, capture and the properties it answers.
#include <pthread.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <cstdlib>

#include "tests/video/render/fb_test_support.h"
#include "video/kernels/colour_constants.h"
#include "video/kernels/kernel_cpu.h"
#include "video/kernels/line_ref.h"
#include "video/render/capture_bitmap.h"
#include "video/render/frame_buffer.h"

namespace {

using fbtest::BarFrame;
using fbtest::DescribePacked;
using fbtest::LogCapture;

class FrameBuffer : public fbtest::ScreenTest {
  protected:
    // Opens a renderer on a fresh screen and shows one bar frame of w x h.
    void OpenOn(int width, int height, int depth, int lineLength = 0) {
        UseScreen(width, height, depth, lineLength);
        ASSERT_EQ(fb_.Open(), 0);
    }
    void ShowBars(int w, int h) {
        frame_ = BarFrame(w, h);
        CVRLNPicture picture;
        DescribePacked(&picture, frame_.data(), w, h);
        ASSERT_EQ(fb_.Flip(&picture), 0);
        picture.plane[0] = nullptr;  // borrowed
    }
    uint32_t Pixel32(int x, int y) {
        uint32_t p;
        std::memcpy(&p, screen_->Pixels() + y * screen_->Geometry().lineLength + 4 * x, 4);
        return p & 0xFFFFFF;
    }
    // Lines made by averaging lose at most one step per channel (each byte is
    // halved before the halves are added).
    static bool Near(uint32_t a, uint32_t b) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > 1) return false;
        return true;
    }
    void TearDown() override {
        fb_.Close();
        ScreenTest::TearDown();
    }

    CVRLNFrameBuffer fb_;
    std::vector<uint8_t> frame_;
};

TEST_F(FrameBuffer, FifteenBitScreenLogsNothing) {
    LogCapture log;
    OpenOn(64, 32, 15);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(fb_.BitsPerPixel(), 15);
    EXPECT_EQ(fb_.OutputTag(), kTagRgb555);
}

TEST_F(FrameBuffer, SixteenBitScreenLogsItsMode) {
    LogCapture log;
    OpenOn(64, 32, 16);
    EXPECT_EQ(log.Text(), "SetRender: Now Use 16 bits mode.\n");
    EXPECT_EQ(fb_.OutputTag(), kTagRgb565);
}

TEST_F(FrameBuffer, ThirtyTwoBitScreenLogsItsMode) {
    LogCapture log;
    OpenOn(64, 32, 32);
    EXPECT_EQ(log.Text(), "SetRender: Now Use 32 bits mode.\n");
    EXPECT_EQ(fb_.OutputTag(), kTagRgb32);
}

TEST_F(FrameBuffer, EightBitScreenIsTreatedAs24BitsWithA24BitShadow) {
    LogCapture log;
    OpenOn(64, 32, 8);
    EXPECT_EQ(log.Text(), "SetRender: Now Use 24 bits mode.\n");
    EXPECT_EQ(fb_.BitsPerPixel(), 24);
    EXPECT_EQ(fb_.ShadowBytes(), size_t(64 * 3 * 32));
    EXPECT_EQ(fb_.MappedBytes(), size_t(64 * 32));
    ShowBars(720, 576);  // never copies more than the 8-bit mapping holds
    std::vector<uint8_t> bitmap(size_t(fb_.CapturePicture(nullptr, 24, nullptr)));
    EXPECT_EQ(fb_.CapturePicture(nullptr, 24, bitmap.data()), 0);
}

TEST_F(FrameBuffer, FifteenBitScreenUsesTwoBytesAPixel) {
    OpenOn(64, 32, 15);
    EXPECT_EQ(fb_.ShadowBytes(), size_t(64 * 2 * 32));
    EXPECT_EQ(fb_.MappedBytes(), size_t(64 * 2 * 32));
    ShowBars(720, 576);
    std::vector<uint8_t> bitmap(size_t(fb_.CapturePicture(nullptr, 8, nullptr)));
    EXPECT_EQ(fb_.CapturePicture(nullptr, 8, bitmap.data()), 0);
}

TEST_F(FrameBuffer, LongScreenLinesAreFilledLineByLineWithoutSkew) {
    OpenOn(100, 50, 32, 512);
    EXPECT_EQ(fb_.MappedBytes(), size_t(512 * 50));
    ShowBars(720, 576);
    for (int y = 0; y < 50; ++y) {
        EXPECT_TRUE(Near(Pixel32(0, y), Pixel32(0, 0))) << "line " << y;
        EXPECT_TRUE(Near(Pixel32(99, y), Pixel32(99, 0))) << "line " << y;
        const uint8_t* pad = screen_->Pixels() + y * 512 + 400;
        EXPECT_TRUE(std::all_of(pad, pad + 112, [](uint8_t b) { return b == 0; })) << y;
    }
    EXPECT_NE(Pixel32(0, 0), Pixel32(99, 0));
}

TEST_F(FrameBuffer, LongScreenLinesHoldExactlyTheLinesOfAPlainScreen) {
    // The same frame on a screen of 400-byte lines and on one of 512-byte lines:
    // every line starts at its own line length and holds the same bytes.
    std::vector<uint8_t> plain;
    {
        OpenOn(100, 50, 32);
        ShowBars(720, 576);
        plain.assign(screen_->Pixels(), screen_->Pixels() + 400 * 50);
        fb_.Close();
    }
    OpenOn(100, 50, 32, 512);
    ShowBars(720, 576);
    for (int y = 0; y < 50; ++y) {
        const uint8_t* line = screen_->Pixels() + y * 512;
        ASSERT_TRUE(std::equal(line, line + 400, plain.begin() + y * 400)) << "line " << y;
        ASSERT_TRUE(std::all_of(line + 400, line + 512, [](uint8_t b) { return b == 0; })) << y;
    }
}

TEST_F(FrameBuffer, DrawAndFlipOfANullPictureAreRefusedAndShowNothing) {
    OpenOn(64, 32, 32);
    ShowBars(64, 32);
    const std::vector<uint8_t> before(screen_->Pixels(), screen_->Pixels() + 64 * 4 * 32);
    EXPECT_EQ(fb_.DrawPicture(nullptr), kVrlnNullPointer);
    EXPECT_EQ(fb_.Flip(nullptr), kVrlnNullPointer);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), screen_->Pixels()));
    CVRLNFrameBuffer closed;
    EXPECT_EQ(closed.Flip(nullptr), 0);  // no converter yet: nothing to show
}

TEST_F(FrameBuffer, ScaledPictureFillsTheWholeScreen) {
    OpenOn(1024, 768, 32);
    ShowBars(720, 576);
    // The first bar is white (235), the last black (16): both reach the screen's edges.
    EXPECT_TRUE(Near(Pixel32(0, 0), 0xEBEBEBu));
    EXPECT_TRUE(Near(Pixel32(0, 767), 0xEBEBEBu));
    EXPECT_TRUE(Near(Pixel32(1023, 767), 0x101010u));
}

TEST_F(FrameBuffer, AFrameOfAnotherSizeIsScaledForItsOwnSize) {
    OpenOn(320, 240, 16);
    ShowBars(720, 576);
    ShowBars(720, 480);  // exact-size frame: any read past it is an overrun
    ShowBars(6, 6);
}

// ---- The colour step of the luma path ----

// One flat frame of luma y and neutral chroma, shown with these colour controls.
uint32_t FlatPixel(CVRLNFrameBuffer& fb, VirtualScreen& screen, uint8_t y,
                   const CVRLNColourRecord& colour) {
    std::vector<uint8_t> frame(16 * 16 * 2);
    for (size_t i = 0; i < frame.size(); i += 2) {
        frame[i] = y;
        frame[i + 1] = 128;
    }
    CVRLNPicture picture;
    DescribePacked(&picture, frame.data(), 16, 16);
    picture.colour = colour;
    EXPECT_EQ(fb.Flip(&picture), 0);
    picture.plane[0] = nullptr;  // borrowed
    uint32_t p;
    std::memcpy(&p, screen.Pixels() + 5 * screen.Geometry().lineLength + 4 * 5, 4);
    return p & 0xFFFFFF;
}

TEST_F(FrameBuffer, BrightPixelsBendWithTheQuadraticTerm) {
    if (!DetectKernelCpu().extendedMmx) GTEST_SKIP() << "T needs the capability bit";
    OpenOn(16, 16, 32);
    // T = 4: luma 255 becomes 267 - 16 = 251 (gain 264, centre 136, square 32767 x -32).
    // Squaring the widened 65535 in a signed int overflows and lost the -16.
    CVRLNColourRecord bent{};
    bent.t = 4;
    const CVRLNColourRecord neutral{};
    const uint32_t bright = FlatPixel(fb_, *screen_, 255, bent);
    EXPECT_EQ(bright, FlatPixel(fb_, *screen_, 251, neutral));
    EXPECT_NE(bright, FlatPixel(fb_, *screen_, 255, neutral));
    // Hue selects the same colour mode; with T set as well the luma bends alike.
    bent.hue = 8;
    EXPECT_EQ(FlatPixel(fb_, *screen_, 255, bent), bright);
}

TEST_F(FrameBuffer, EveryLumaFollowsTheKernelsColourStep) {
    if (!DetectKernelCpu().extendedMmx) GTEST_SKIP() << "T needs the capability bit";
    OpenOn(16, 16, 32);
    CVRLNColourRecord bent{};
    bent.t = -7;
    bent.contrast = 5;
    ColourConstants k;
    ASSERT_EQ(ComputeColourConstants(bent, true, &k), kColourHueT);
    const CVRLNColourRecord neutral{};
    for (int y : {0, 16, 128, 180, 181, 200, 235, 254, 255}) {
        const uint8_t expected = ref::LumaColour<kColourHueT>(uint8_t(y), k);
        EXPECT_EQ(FlatPixel(fb_, *screen_, uint8_t(y), bent),
                  FlatPixel(fb_, *screen_, expected, neutral))
            << y;
    }
}

TEST_F(FrameBuffer, FlipBeforeOpenShowsNothing) {
    CVRLNFrameBuffer closed;
    std::vector<uint8_t> frame = BarFrame(16, 16);
    CVRLNPicture picture;
    DescribePacked(&picture, frame.data(), 16, 16);
    EXPECT_EQ(closed.Flip(&picture), 0);
    picture.plane[0] = nullptr;
}

TEST_F(FrameBuffer, ClearPictureZeroesTheScreen) {
    OpenOn(32, 16, 32);
    ShowBars(32, 16);
    ASSERT_NE(Pixel32(0, 0), 0u);
    EXPECT_EQ(fb_.ClearPicture(), 0);
    EXPECT_TRUE(std::all_of(screen_->Pixels(), screen_->Pixels() + screen_->Bytes(),
                            [](uint8_t b) { return b == 0; }));
}

TEST(FrameBufferDevice, OpenFailsWithoutAScreenAndCloseCopes) {
    InstallVirtualScreen(nullptr);
    setenv("MIROVA_FBDEV", "/nonexistent-folder/screen", 1);
    setenv("MIROVA_FBGEOMETRY", "64x32x16", 1);
    CVRLNFrameBuffer fb;
    EXPECT_EQ(fb.Open(), -1);
    EXPECT_EQ(fb.Close(), 0);
    EXPECT_EQ(fb.Close(), 0);
    unsetenv("MIROVA_FBDEV");
    unsetenv("MIROVA_FBGEOMETRY");
}

TEST(FrameBufferDevice, FileScreenTakesItsGeometryFromTheEnvironment) {
    char path[] = "/tmp/mirova_screen_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    setenv("MIROVA_FBDEV", path, 1);
    setenv("MIROVA_FBGEOMETRY", "40x20x32:200", 1);
    {
        CVRLNFrameBuffer fb;
        ASSERT_EQ(fb.Open(), 0);
        EXPECT_EQ(fb.LineLength(), 200);
        EXPECT_EQ(fb.MappedBytes(), size_t(200 * 20));
        fb.Close();
    }
    unsetenv("MIROVA_FBDEV");
    unsetenv("MIROVA_FBGEOMETRY");
    unlink(path);
}

TEST(FrameBufferDevice, GeometryTextIsCheckedStrictly) {
    FbGeometry g;
    EXPECT_TRUE(ParseFbGeometry("800x600x16", &g));
    EXPECT_EQ(g.lineLength, 1600);
    EXPECT_TRUE(ParseFbGeometry("800x600x32:4096", &g));
    EXPECT_EQ(g.lineLength, 4096);
    EXPECT_FALSE(ParseFbGeometry("800x600x32:100", &g));  // shorter than a line of pixels
    EXPECT_FALSE(ParseFbGeometry("800x600", &g));
    EXPECT_FALSE(ParseFbGeometry("800x600x16junk", &g));
    EXPECT_FALSE(ParseFbGeometry("0x600x16", &g));
}

TEST(FrameBufferDevice, GeometryNumbersBeyondThirtyTwoBitsAreRefused) {
    FbGeometry g;
    // 4294968016 is 2^32 + 720: wrapped into an int it would pass for 720.
    EXPECT_FALSE(ParseFbGeometry("4294968016x576x32", &g));
    EXPECT_FALSE(ParseFbGeometry("720x4294967872x32", &g));
    EXPECT_FALSE(ParseFbGeometry("720x576x4294967328", &g));
    EXPECT_FALSE(ParseFbGeometry("720x576x32:4294970176", &g));
    EXPECT_FALSE(ParseFbGeometry("-720x576x32", &g));
    EXPECT_FALSE(ParseFbGeometry(" 720x576x32", &g));
    EXPECT_FALSE(ParseFbGeometry("720x576x32:", &g));
    EXPECT_TRUE(ParseFbGeometry("720x576x32:2880", &g));
    EXPECT_EQ(g.width, 720);
}

TEST_F(FrameBuffer, CloseClearsTheActiveFlagAndShowsTheCursor) {
    OpenOn(32, 16, 16);
    ASSERT_NE(fb_.Overlay(), nullptr);
    EXPECT_EQ(fb_.Overlay()->active, 1);
    EXPECT_NE(fb_.Overlay()->composition, 0u);
    EXPECT_FALSE(screen_->CursorVisible());
    const int id = shmget(OverlayRecordKey(), sizeof(OverlayRecord), 0);
    ASSERT_GE(id, 0);
    auto* watch = static_cast<OverlayRecord*>(shmat(id, nullptr, 0));
    fb_.Close();
    EXPECT_EQ(watch->active, 0);
    EXPECT_EQ(watch->composition, 0u);
    EXPECT_TRUE(screen_->CursorVisible());
    shmdt(watch);
    shmctl(id, IPC_RMID, nullptr);
}

TEST_F(FrameBuffer, CompositionBufferReceivesTheVideoOfEachFrame) {
    OpenOn(64, 32, 32);
    ShowBars(720, 576);
    const auto* composition =
        reinterpret_cast<const uint8_t*>(uintptr_t(fb_.Overlay()->composition));
    ASSERT_NE(composition, nullptr);
    EXPECT_TRUE(std::equal(screen_->Pixels(), screen_->Pixels() + screen_->Bytes(), composition));
    EXPECT_NE(fb_.Overlay()->seconds, 0u);
}

// Memory the record's 32-bit address fields can point at.
template <typename T>
T* Low(size_t count) {
    void* p = mmap(nullptr, sizeof(T) * count, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<T*>(p);
}

TEST_F(FrameBuffer, TransparentSixteenBitItemLeavesVideoWhereItsPixelsAreZero) {
    OpenOn(32, 16, 16);
    ShowBars(32, 16);
    const std::vector<uint8_t> video(screen_->Pixels(), screen_->Pixels() + screen_->Bytes());
    auto* pixels = Low<uint16_t>(4 * 2);
    auto* item = Low<OverlayItem>(1);
    auto* lock = Low<pthread_mutex_t>(1);
    ASSERT_TRUE(pixels && item && lock);
    pthread_mutex_init(lock, nullptr);
    const uint16_t values[8] = {0xF800, 0, 0x07E0, 0, 0, 0x001F, 0, 0xFFFF};
    std::memcpy(pixels, values, sizeof values);
    *item = OverlayItem{3, 5, 4, 2, 16, 0, uint32_t(uintptr_t(pixels)), 1};
    auto* record = const_cast<OverlayRecord*>(fb_.Overlay());
    record->items = uint32_t(uintptr_t(item));
    record->itemCount = 1;
    record->lock = uint32_t(uintptr_t(lock));
    ShowBars(32, 16);
    auto at = [&](const uint8_t* base, int x, int y) {
        uint16_t p;
        std::memcpy(&p, base + y * 64 + 2 * x, 2);
        return p;
    };
    for (int k = 0; k < 8; ++k) {
        const int x = 3 + k % 4, y = 5 + k / 4;
        const uint16_t expected = values[k] != 0 ? values[k] : at(video.data(), x, y);
        EXPECT_EQ(at(screen_->Pixels(), x, y), expected) << k;
    }
    EXPECT_EQ(at(screen_->Pixels(), 2, 5), at(video.data(), 2, 5));
    // The composition buffer holds the video the items were drawn over.
    const auto* composition = reinterpret_cast<const uint8_t*>(uintptr_t(record->composition));
    EXPECT_EQ(at(composition, 3, 5), at(video.data(), 3, 5));
    // An item of another depth is not drawn.
    item->bitsPerPixel = 32;
    ShowBars(32, 16);
    EXPECT_EQ(at(screen_->Pixels(), 3, 5), at(video.data(), 3, 5));
    record->items = record->itemCount = record->lock = 0;
}

TEST_F(FrameBuffer, ItemsReachingOffTheScreenAreClipped) {
    OpenOn(16, 8, 32);
    auto* pixels = Low<uint32_t>(64);
    auto* item = Low<OverlayItem>(1);
    auto* lock = Low<pthread_mutex_t>(1);
    ASSERT_TRUE(pixels && item && lock);
    pthread_mutex_init(lock, nullptr);
    for (int i = 0; i < 64; ++i) pixels[i] = 0x00ABCDEF;
    *item = OverlayItem{12, 6, 8, 8, 32, 0, uint32_t(uintptr_t(pixels)), 0};
    auto* record = const_cast<OverlayRecord*>(fb_.Overlay());
    record->items = uint32_t(uintptr_t(item));
    record->itemCount = 1;
    record->lock = uint32_t(uintptr_t(lock));
    ShowBars(16, 8);
    EXPECT_EQ(Pixel32(15, 7), 0xABCDEFu);
    EXPECT_EQ(Pixel32(12, 6), 0xABCDEFu);
    record->items = record->itemCount = record->lock = 0;
}

TEST_F(FrameBuffer, CaptureSizeOf24BitsOn800x600) {
    OpenOn(800, 600, 32);
    EXPECT_EQ(fb_.CapturePicture(nullptr, 24, nullptr), 1440072);
    EXPECT_EQ(fb_.CapturePicture(nullptr, 8, nullptr), 800 * 600 + 1096);
}

// The routines' matrix, computed independently in floating point.
void ExpectedBgr(const fbtest::Bar& bar, int bgr[3]) {
    const double y = bar.y, u = bar.u - 128.0, v = bar.v - 128.0;
    const double c[3] = {y + 1.772 * u, y - 0.344 * u - 0.685 * v, y + 1.402 * v};
    for (int i = 0; i < 3; ++i) bgr[i] = int(std::min(255.0, std::max(0.0, c[i])));
}

TEST_F(FrameBuffer, CapturedBitmapHoldsTheShownColoursBottomUp) {
    OpenOn(720, 576, 32);
    ShowBars(720, 576);
    std::vector<uint8_t> bitmap(size_t(fb_.CapturePicture(nullptr, 24, nullptr)), 0xEE);
    ASSERT_EQ(fb_.CapturePicture(nullptr, 24, bitmap.data()), 0);
    int32_t header[4];
    std::memcpy(header, bitmap.data(), 12);
    EXPECT_EQ(header[0], 40);
    EXPECT_EQ(header[1], 720);
    EXPECT_EQ(header[2], 576);
    for (int b = 0; b < 8; ++b) {
        const int x = b * 90 + 45;
        int expected[3];
        ExpectedBgr(fbtest::kBars[b], expected);
        const uint8_t* px = bitmap.data() + 40 + 3 * x;  // last screen line, first in the file
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(px[c], expected[c], 4) << "bar " << b << " c " << c;
    }
}

TEST_F(FrameBuffer, AnswersOnlyItsSizeProperty) {
    OpenOn(32, 16, 16);
    const int32_t size = (640 << 16) | 480;
    EXPECT_EQ(
        fb_.SetProperty(&VideoRendererPropertySet, kPropFrameBufferSize, nullptr, 0, &size, 4), 0);
    EXPECT_EQ(fb_.ConfiguredSize(), uint32_t(size));
    EXPECT_EQ(
        fb_.SetProperty(&VideoRendererPropertySet, kPropFrameBufferSize, nullptr, 0, nullptr, 4),
        kVrlnNullPointer);
    EXPECT_EQ(fb_.SetProperty(&VideoRendererPropertySet, kPropReserved, nullptr, 0, &size, 4),
              kVrlnFailure);
    int32_t value = 0;
    EXPECT_EQ(
        fb_.GetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, &value, 4, nullptr),
        kVrlnFailure);
    const VRLNPropertySetId other = {1, 2, 3, {4}};
    EXPECT_EQ(fb_.SetProperty(&other, kPropFrameBufferSize, nullptr, 0, &size, 4),
              kVrlnPropertySetNotFound);
}

}  // namespace
