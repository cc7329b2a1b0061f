// Allocation failures come back as error codes: nothing the renderer interface
// reaches throws, and a later picture works once memory is there again.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/failing_allocator.h"
#include "tests/video/render/fb_test_support.h"
#include "video/kernels/library_state.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/render/frame_buffer.h"
#include "video/render/rgb_converter.h"

namespace {

using failing_allocator::FailAllocations;

constexpr int kWidth = 64, kHeight = 16;

struct PlanarFrame {
    PlanarFrame() : output(size_t(kWidth) * kHeight * 4, 0) {
        picture.Resize(kWidth, kHeight, true);
        picture.output = output.data();
        picture.outputPitch = kWidth * 4;
    }
    CVRLNPicture picture;
    std::vector<uint8_t> output;
};

CVRLNSubpicture Opaque(const uint8_t* pixels) {
    CVRLNSubpicture sub{};
    sub.pixels = pixels;
    sub.pitch = 16;
    sub.x = 8;
    sub.y = 4;
    sub.width = 16;
    sub.height = 8;
    sub.serial = 1;
    sub.palette[0][0] = 235;
    sub.palette[0][1] = sub.palette[0][2] = 128;
    return sub;
}

TEST(AllocationFailure, TheConverterIsNotMadeRatherThanThrowing) {
    std::unique_ptr<CVRLNProcessorRGB> rgb;
    {
        FailAllocations failing;
        EXPECT_NO_THROW(rgb = CVRLNProcessorRGB::Create(kFormatRgb32));
    }
    EXPECT_EQ(rgb, nullptr);
    EXPECT_NE(CVRLNProcessorRGB::Create(kFormatRgb32), nullptr);
}

TEST(AllocationFailure, ConverterBuffersReportNoMemoryAndRecover) {
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kFormatRgb32);
    ASSERT_NE(rgb, nullptr);
    rgb->SetScreen(kWidth, kHeight, 32);
    PlanarFrame frame;
    int result = 0;
    {
        FailAllocations failing;
        SetCurrentFrameSize(kWidth, kHeight);
        EXPECT_NO_THROW(rgb->SetOutputWidth(kWidth / 2, 1000));
        EXPECT_NO_THROW(result = rgb->Process(&frame.picture, 0));
    }
    EXPECT_EQ(result, kProcessNoMemory);
    EXPECT_EQ(rgb->Process(&frame.picture, 0), kProcessDone);
    SetCurrentFrameSize(0, 0);
}

TEST(AllocationFailure, OverlayPlanesExistOnlyOnceASubpictureIsBlended) {
    std::vector<uint8_t> pixels(16 * 8, 0xF0);
    const CVRLNSubpicture sub = Opaque(pixels.data());
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kFormatRgb32);
    ASSERT_NE(rgb, nullptr);
    rgb->SetScreen(kWidth, kHeight, 32);
    PlanarFrame frame;
    ASSERT_EQ(rgb->Process(&frame.picture, 0), kProcessDone);
    EXPECT_FALSE(rgb->Overlay().Allocated());
    frame.picture.subpicture = &sub;
    rgb->SetSubpicture(&frame.picture);
    int result = 0;
    {
        FailAllocations failing;
        EXPECT_NO_THROW(result = rgb->Process(&frame.picture, 0));
    }
    EXPECT_EQ(result, kProcessNoMemory);
    EXPECT_EQ(rgb->Process(&frame.picture, 0), kProcessDone);
    EXPECT_TRUE(rgb->Overlay().Allocated());
    EXPECT_TRUE(rgb->Overlay().Active());
}

TEST(AllocationFailure, PlanarAndPackedKindsReportNoMemoryForTheirOverlay) {
    std::vector<uint8_t> pixels(16 * 8, 0xF0);
    const CVRLNSubpicture sub = Opaque(pixels.data());
    CVRLNProcessorYV12 planar;
    CVRLNProcessorYUY2 packed;
    for (CVRLNVideoProcessor* processor :
         {static_cast<CVRLNVideoProcessor*>(&planar), static_cast<CVRLNVideoProcessor*>(&packed)}) {
        PlanarFrame frame;
        frame.picture.outputPitch = kWidth * 2;  // what both layouts need, inside the output
        EXPECT_FALSE(processor->Overlay().Allocated());
        frame.picture.subpicture = &sub;
        processor->SetSubpicture(&frame.picture);
        int result = 0;
        {
            FailAllocations failing;
            EXPECT_NO_THROW(result = processor->Process(&frame.picture, 0));
        }
        EXPECT_EQ(result, kProcessNoMemory);
        EXPECT_EQ(processor->Process(&frame.picture, 0), kProcessDone);
        EXPECT_TRUE(processor->Overlay().Active());
    }
}

class FrameBufferAllocation : public fbtest::ScreenTest {};

TEST_F(FrameBufferAllocation, OpenFailsWithMinusOneAndTheRendererCloses) {
    UseScreen(160, 120, 32);
    CVRLNFrameBuffer renderer;
    int opened = 0;
    {
        FailAllocations failing;
        EXPECT_NO_THROW(opened = renderer.Open());
    }
    EXPECT_EQ(opened, -1);
    EXPECT_EQ(renderer.Close(), 0);
    EXPECT_EQ(renderer.Open(), 0);
    EXPECT_EQ(renderer.Close(), 0);
}

TEST_F(FrameBufferAllocation, AFlipWithoutMemoryFailsAndTheNextOneShows) {
    UseScreen(160, 120, 32);
    CVRLNFrameBuffer renderer;
    ASSERT_EQ(renderer.Open(), 0);
    std::vector<uint8_t> frame = fbtest::BarFrame(kWidth, kHeight);
    CVRLNPicture picture;
    fbtest::DescribePacked(&picture, frame.data(), kWidth, kHeight);
    int flipped = 0;
    {
        FailAllocations failing;
        EXPECT_NO_THROW(flipped = renderer.Flip(&picture));
    }
    EXPECT_LT(flipped, 0);
    EXPECT_EQ(renderer.Flip(&picture), 0);
    EXPECT_EQ(renderer.Close(), 0);
}

}  // namespace
