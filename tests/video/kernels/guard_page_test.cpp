// Every processor kind and the RGB converter on every code path, with source
// planes and output that end exactly at an inaccessible page: a read or write
// one byte past what the picture holds faults at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/guarded_buffer.h"
#include "tests/video/kernels/processor_fixture.h"
#include "tests/video/kernels/random_frames.h"
#include "video/kernels/processor_scaled.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"
#include "video/render/rgb_converter.h"

namespace {

constexpr int kWidth = 90, kHeight = 10;  // no whole number of 16- or 32-byte steps

// A borrowed planar picture whose planes are guarded buffers.
struct GuardedPlanar {
    GuardedPlanar() : luma(size_t(kWidth) * kHeight), chroma(size_t(kWidth) * kHeight / 2) {
        RandomFrames random(3);
        random.Fill(luma.data(), luma.size());
        random.Fill(chroma.data(), chroma.size());
        picture.Resize(kWidth, kHeight, false);
        picture.plane[0] = luma.data();
        picture.plane[1] = chroma.data();
    }
    ~GuardedPlanar() { picture.plane[0] = picture.plane[1] = nullptr; }
    GuardedBuffer luma;
    GuardedBuffer chroma;
    CVRLNPicture picture;
};

int ProcessInto(CVRLNVideoProcessor& processor, GuardedPlanar& source, GuardedBuffer& output,
                int pitch) {
    source.picture.output = output.data();
    source.picture.outputPitch = pitch;
    return processor.Process(&source.picture, 0);
}

class GuardPage : public ::testing::TestWithParam<int> {
  protected:
    KernelCpu Cpu() const { return TestCpu(GetParam(), true); }
    LibraryStateGuard guard_;
};

TEST_P(GuardPage, PlanarKindsStayInsideTheirPlanes) {
    const CVRLNColourRecord colours{3, 5, 7, -4, 2, 1, -1};
    for (uint32_t word : {0u, 0x402u}) {
        SetDeinterlaceModeWord(word);
        GuardedPlanar source;
        const size_t planar = size_t(kWidth) * kHeight + 2 * size_t(kWidth / 2) * (kHeight / 2);
        GuardedBuffer output(planar);
        CVRLNProcessorYV12 yv12(Cpu());
        yv12.SetColourControls(&colours);
        EXPECT_EQ(ProcessInto(yv12, source, output, kWidth), 0) << yv12.LastKernel();
        CVRLNProcessorYV12Basic basic(Cpu());
        EXPECT_EQ(ProcessInto(basic, source, output, kWidth), 0) << basic.LastKernel();
    }
}

TEST_P(GuardPage, PackedAndScaledKindsStayInsideTheirLines) {
    const CVRLNColourRecord colours{3, 5, 7, -4, 2, 1, -1};
    for (uint32_t word : {0u, 0x402u}) {
        SetDeinterlaceModeWord(word);
        GuardedPlanar source;
        GuardedBuffer output(size_t(kWidth) * 2 * kHeight);
        CVRLNProcessorYUY2 yuy2(Cpu());
        yuy2.SetColourControls(&colours);
        EXPECT_EQ(ProcessInto(yuy2, source, output, kWidth * 2), 0) << yuy2.LastKernel();
        CVRLNProcessorScaled scaled(Cpu());
        scaled.SetColourControls(&colours);
        EXPECT_EQ(ProcessInto(scaled, source, output, kWidth * 2), 0) << scaled.LastKernel();
        SetCurrentFrameSize(kWidth, kHeight);
        scaled.SetOutputWidth(kWidth / 2 - 1, 1000);
        scaled.SetOutputHeight(kHeight / 2, 1000);
        GuardedBuffer reduced(size_t(kWidth / 2 - 1) * 2 * (kHeight / 2));
        EXPECT_EQ(ProcessInto(scaled, source, reduced, (kWidth / 2 - 1) * 2), 0)
            << scaled.LastKernel();
    }
}

TEST_P(GuardPage, TheRgbConverterStaysInsideAPackedFrameAndItsOutput) {
    const RgbRows* paths[] = {&ReferenceRgbRows(), Ssse3RgbRows(), Avx2RgbRows(), Avx512RgbRows()};
    const RgbRows* fast = paths[GetParam()];
    if (fast == nullptr) GTEST_SKIP() << "no such rows on this processor";
    const RgbRows& rows = *fast;
    for (int format :
         {kFormatPacked422, kFormatRgb555, kFormatRgb565, kFormatRgb24, kFormatRgb32}) {
        const int bytes = format == kFormatRgb32 ? 4 : format == kFormatRgb24 ? 3 : 2;
        GuardedBuffer frame(size_t(kWidth) * kHeight * 2);
        RandomFrames(5).Fill(frame.data(), frame.size());
        GuardedBuffer output(size_t(kWidth) * bytes * kHeight);
        CVRLNPicture picture;
        picture.Resize(kWidth, kHeight, false);
        picture.plane[0] = frame.data();
        picture.packed = 1;
        picture.output = output.data();
        picture.outputPitch = kWidth * bytes;
        std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(format);
        rgb->UseRows(&rows);
        rgb->SetScreen(kWidth, kHeight, bytes * 8);
        EXPECT_EQ(rgb->Process(&picture, 0), 0) << "format " << format << " on " << rows.name;
        picture.plane[0] = nullptr;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, GuardPage, ::testing::Values(0, 1, 2, 3),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return PathName(info.param);
                         });

}  // namespace
