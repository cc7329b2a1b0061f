// The converter refuses outputs it would write past: a pitch narrower than
// one line of its own format (whatever depth the screen reports), and widths
// beyond any screen.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "video/kernels/library_state.h"
#include "video/render/picture.h"
#include "video/render/rgb_converter.h"

namespace {

constexpr int kWidth = 64, kHeight = 8;

struct Frame {
    Frame() {
        picture.Resize(kWidth, kHeight, true);
        picture.packed = 1;
    }
    int Process(CVRLNProcessorRGB& rgb, int pitch, int lines) {
        output.assign(size_t(pitch) * lines, 0);
        picture.output = output.data();
        picture.outputPitch = pitch;
        return rgb.Process(&picture, 0);
    }
    CVRLNPicture picture;
    std::vector<uint8_t> output;
};

TEST(RgbConverterBounds, ThePitchMustHoldALineOfTheFormatNotOfTheScreenDepth) {
    for (int format :
         {kFormatPacked422, kFormatRgb555, kFormatRgb565, kFormatRgb24, kFormatRgb32}) {
        std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(format);
        ASSERT_NE(rgb, nullptr);
        rgb->SetScreen(kWidth, kHeight, 8);  // one byte a pixel on the screen
        const int bytes = format == kFormatRgb32 ? 4 : format == kFormatRgb24 ? 3 : 2;
        Frame frame;
        EXPECT_EQ(frame.Process(*rgb, kWidth * bytes - 1, kHeight), -1) << "format " << format;
        EXPECT_EQ(frame.Process(*rgb, kWidth * bytes, kHeight), 0) << "format " << format;
    }
}

TEST(RgbConverterBounds, AnOutputWiderThanAnyScreenIsRefusedNotAllocated) {
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kFormatRgb32);
    ASSERT_NE(rgb, nullptr);
    rgb->SetScreen(0, 0, 32);  // no screen size to clamp to
    SetCurrentFrameSize(kWidth, kHeight);
    rgb->SetOutputWidth(INT_MAX, 1000);
    Frame frame;
    EXPECT_EQ(frame.Process(*rgb, kWidth * 4, kHeight), -1);
    rgb->SetOutputWidth(kWidth, 1000);
    EXPECT_EQ(frame.Process(*rgb, kWidth * 4, kHeight), 0);
    SetCurrentFrameSize(0, 0);
}

}  // namespace
