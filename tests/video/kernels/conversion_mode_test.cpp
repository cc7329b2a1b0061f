// The conversion mode: with kConversionRepackPacked the planar kinds repack a
// packed 4:2:2 picture into planes before converting it, exactly as if they
// had been given the planar repack; by default they copy it unchanged.
#include <gtest/gtest.h>

#include <memory>

#include "tests/video/kernels/processor_fixture.h"
#include "tests/video/kernels/random_frames.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"
#include "video/render/yuv_repack.h"

namespace {

struct ModeGuard : LibraryStateGuard {
    ~ModeGuard() { SetConversionMode(kConversionCopyPacked); }
};

std::unique_ptr<CVRLNVideoProcessor> MakeKind(bool basic) {
    if (basic) return std::make_unique<CVRLNProcessorYV12Basic>(TestCpu(0, true));
    return std::make_unique<CVRLNProcessorYV12>(TestCpu(0, true));
}

class PackedConversion : public ::testing::TestWithParam<bool> {};

TEST_P(PackedConversion, APackedPictureConvertsAsItsPlanarRepack) {
    ModeGuard guard;
    for (int height : {8, 10, 7}) {
        const int width = 24, pitch = 32;
        RandomFrames rnd{static_cast<uint32_t>(height)};
        std::vector<uint8_t> packed = rnd.Bytes(size_t(width) * height * 2);
        // Reference: the repack handed over as a planar picture.
        TestPicture planar(width, height, pitch);
        std::vector<uint8_t> planes(size_t(width) * (height + (height + 1) / 2), 128);
        RepackPackedToPlanar(packed.data(), width, height, planes.data(), planes.size());
        std::memcpy(planar.picture.plane[0], planes.data(), size_t(width) * height);
        std::memcpy(planar.picture.plane[1], planes.data() + size_t(width) * height,
                    size_t(width) * ((height + 1) / 2));
        ASSERT_EQ(MakeKind(GetParam())->Process(&planar.picture, 0), 0);
        // The packed picture, borrowed as direct play hands it over.
        TestPicture out(width, height, pitch);
        CVRLNPicture& p = out.picture;
        uint8_t* const own[2] = {p.plane[0], p.plane[1]};
        const uint32_t ownSize = p.planeSize;
        p.plane[0] = packed.data();
        p.packed = 1;
        SetConversionMode(kConversionRepackPacked);
        ASSERT_EQ(MakeKind(GetParam())->Process(&p, 0), 0);
        SetConversionMode(kConversionCopyPacked);
        EXPECT_EQ(out.output, planar.output) << "height " << height;
        EXPECT_EQ(p.plane[0], packed.data()) << "the picture's planes come back";
        EXPECT_EQ(p.plane[1], own[1]);
        EXPECT_EQ(p.packed, 1);
        EXPECT_EQ(p.planeSize, ownSize);
        p.plane[0] = own[0];
    }
}

TEST_P(PackedConversion, RepackingRefusesAWidthWithoutWholePairs) {
    ModeGuard guard;
    TestPicture t(9, 4, 16);
    std::vector<uint8_t> packed(9 * 4 * 2, 100);
    uint8_t* const own = t.picture.plane[0];
    t.picture.plane[0] = packed.data();
    t.picture.packed = 1;
    SetConversionMode(kConversionRepackPacked);
    EXPECT_EQ(MakeKind(GetParam())->Process(&t.picture, 0), kProcessRefused);
    EXPECT_EQ(t.output[0], 0xEE) << "nothing written";
    t.picture.plane[0] = own;
}

TEST_P(PackedConversion, ByDefaultAPackedPictureIsCopied) {
    ModeGuard guard;
    EXPECT_EQ(ConversionMode(), kConversionCopyPacked);
    TestPicture t(8, 4, 16);
    RandomFrames rnd(9);
    rnd.Fill(t.picture.plane[0], 8 * 4 * 2);
    t.picture.packed = 1;
    ASSERT_EQ(MakeKind(GetParam())->Process(&t.picture, 0), 0);
    EXPECT_EQ(0, std::memcmp(t.output.data(), t.picture.plane[0], 8 * 4 * 3 / 2));
}

INSTANTIATE_TEST_SUITE_P(Kinds, PackedConversion, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Basic" : "YV12");
                         });

}  // namespace
