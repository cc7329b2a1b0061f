// The conversion mode: with kConversionRepackPacked the planar kinds repack a
// packed 4:2:2 picture into planes before converting it, exactly as if they
// had been given the planar repack, on every kernel path bit for bit; by
// default they copy it unchanged.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "tests/video/kernels/processor_fixture.h"
#include "tests/video/kernels/random_frames.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"
#include "video/render/yuv_repack.h"

namespace {

struct ModeGuard : LibraryStateGuard {
    ~ModeGuard() { SetConversionMode(kConversionCopyPacked); }
};

std::unique_ptr<CVRLNVideoProcessor> MakeKind(bool basic, int path = 0) {
    if (basic) return std::make_unique<CVRLNProcessorYV12Basic>(TestCpu(path, true));
    return std::make_unique<CVRLNProcessorYV12>(TestCpu(path, true));
}

// A kind with colour controls (where the kind applies them) and line
// blending in use, so the kernels do real work on the repacked planes.
std::unique_ptr<CVRLNVideoProcessor> MakeBusyKind(bool basic, int path = 0) {
    std::unique_ptr<CVRLNVideoProcessor> kind = MakeKind(basic, path);
    const CVRLNColourRecord colours{12, 6, 3, -4, 2, 1, -1};
    kind->SetColourControls(&colours);
    return kind;
}

// The kind (basic or not) and the kernel path.
class PackedConversion : public ::testing::TestWithParam<std::tuple<bool, int>> {
  protected:
    bool Basic() const { return std::get<0>(GetParam()); }
    int Path() const { return std::get<1>(GetParam()); }
};

TEST_P(PackedConversion, APackedPictureConvertsAsItsPlanarRepack) {
    ModeGuard guard;
    SetDeinterlaceModeWord(0x406);
    // Widths past one vector register of each path, with a ragged end.
    for (int height : {8, 10, 7}) {
        const int width = 72, pitch = 80;
        RandomFrames rnd{static_cast<uint32_t>(height)};
        std::vector<uint8_t> packed = rnd.Bytes(size_t(width) * height * 2);
        // Reference: the repack handed over as a planar picture, through the
        // scalar kernels.
        TestPicture planar(width, height, pitch);
        std::vector<uint8_t> planes(size_t(width) * (height + (height + 1) / 2), 128);
        RepackPackedToPlanar(packed.data(), width, height, planes.data(), planes.size());
        std::memcpy(planar.picture.plane[0], planes.data(), size_t(width) * height);
        std::memcpy(planar.picture.plane[1], planes.data() + size_t(width) * height,
                    size_t(width) * ((height + 1) / 2));
        ASSERT_EQ(MakeBusyKind(Basic())->Process(&planar.picture, 0), 0);
        // The packed picture, borrowed as direct play hands it over.
        TestPicture out(width, height, pitch);
        CVRLNPicture& p = out.picture;
        uint8_t* const own[2] = {p.plane[0], p.plane[1]};
        const uint32_t ownSize = p.planeSize;
        p.plane[0] = packed.data();
        p.packed = 1;
        SetConversionMode(kConversionRepackPacked);
        ASSERT_EQ(MakeBusyKind(Basic(), Path())->Process(&p, 0), 0);
        SetConversionMode(kConversionCopyPacked);
        EXPECT_EQ(out.output, planar.output) << "height " << height << " " << PathName(Path());
        // The basic kind applies no colour controls.
        if (!Basic()) {
            EXPECT_NE(std::memcmp(out.output.data(), planes.data(), size_t(width)), 0)
                << "the colour controls changed the luma";
        }
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
    EXPECT_EQ(MakeKind(Basic(), Path())->Process(&t.picture, 0), kProcessRefused);
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
    ASSERT_EQ(MakeKind(Basic(), Path())->Process(&t.picture, 0), 0);
    EXPECT_EQ(0, std::memcmp(t.output.data(), t.picture.plane[0], 8 * 4 * 3 / 2));
}

INSTANTIATE_TEST_SUITE_P(KindsAndPaths, PackedConversion,
                         ::testing::Combine(::testing::Values(false, true),
                                            ::testing::Values(0, 1, 2, 3)),
                         [](const ::testing::TestParamInfo<std::tuple<bool, int>>& info) {
                             return std::string(std::get<0>(info.param) ? "Basic" : "YV12") +
                                    PathName(std::get<1>(info.param));
                         });

}  // namespace
