// Every member of every kind: the SSE2 table gives the same bytes as the
// scalar reference on random pictures of odd and even sizes, unaligned
// source and output lines, random colour constants and overlays.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "tests/video/kernels/random_frames.h"
#include "video/kernels/frame_walk.h"
#include "video/kernels/kernel_set.h"

namespace {

struct Case {
    int width;
    int lines;
    int misalign;  // bytes added to every pointer
};

const Case kCases[] = {{1, 1, 0},    {2, 2, 1},   {7, 3, 3},   {15, 5, 1},  {16, 4, 0},
                       {17, 6, 5},   {31, 7, 2},  {33, 9, 15}, {64, 8, 8},  {65, 11, 1},
                       {100, 10, 3}, {720, 6, 0}, {721, 5, 7}, {1023, 4, 9}};

// One picture's sources and two outputs pre-filled with different bytes, so a
// byte one path leaves unwritten shows.
class Frames {
  public:
    Frames(RandomFrames& rnd, const Case& c, int outBytesPerPixel)
        : c_(c), pitch_(c.width * outBytesPerPixel + 5) {
        const int uvPitch = (c.width + 1) / 2 * 2;
        y_ = rnd.Bytes(size_t(c.width) * c.lines + c.misalign + 16);
        uv_ = rnd.Bytes(size_t(uvPitch) * ((c.lines + 1) / 2) + c.misalign + 16);
        const size_t out = size_t(pitch_) * c.lines * 2 + 64;
        outA_.assign(out, 0xA5);
        outB_.assign(out, 0x5A);
        area_.y = y_.data() + c.misalign;
        area_.yPitch = c.width;
        area_.uv = uv_.data() + c.misalign;
        area_.uvPitch = uvPitch;
        area_.width = c.width;
        area_.lines = c.lines;
        area_.outPitch = pitch_;
        area_.outChromaPitch = (pitch_ + 1) / 2;
        area_.progress = &progress_;
    }

    FrameArea Area(std::vector<uint8_t>* out, const OverlayPlanes* overlay,
                   const ColourConstants* k) {
        FrameArea a = area_;
        a.out = out->data() + c_.misalign;
        a.outV = a.out + size_t(pitch_) * c_.lines;
        a.outU = a.outV + size_t(a.outChromaPitch) * ((c_.lines + 1) / 2);
        a.overlay = overlay;
        a.k = k;
        return a;
    }
    std::vector<uint8_t>& A() { return outA_; }
    std::vector<uint8_t>& B() { return outB_; }

    // Written bytes equal, unwritten bytes untouched on both sides.
    void ExpectEqual(int written, int lines, size_t base, int pitch, const std::string& what) {
        for (int n = 0; n < lines; ++n) {
            const size_t row = base + size_t(c_.misalign) + size_t(n) * pitch;
            for (int i = 0; i < written; ++i) {
                ASSERT_EQ(outA_[row + i], outB_[row + i])
                    << what << " line " << n << " byte " << i << " width " << c_.width;
            }
            for (int i = written; i < pitch && row + i < outA_.size(); ++i) {
                ASSERT_EQ(outA_[row + i], 0xA5) << what << " wrote past line " << n;
            }
        }
    }

  private:
    Case c_;
    int pitch_;
    std::vector<uint8_t> y_, uv_, outA_, outB_;
    FrameArea area_;
    std::atomic<int32_t> progress_{0};
};

// Each fast table this build and processor can run.
class KernelEquality : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        const bool avx2 = std::string(GetParam()) == "avx2";
        fast_ = avx2 ? (HostSupportsAvx2() ? Avx2Kernels() : nullptr) : Sse2Kernels();
        if (fast_ == nullptr) GTEST_SKIP() << "no " << GetParam() << " path here";
    }

    // Overlay on every other case so lines with and without spans both run.
    void Compose(RandomFrames& rnd, const Case& c, int index) {
        overlay_.Clear();
        if (index % 2 == 0) return;
        std::vector<uint8_t> pixels;
        const CVRLNSubpicture sub = rnd.Subpicture(c.width, c.lines, &pixels);
        const int modes[] = {kOverlayWholeRect, kOverlayPerLine, kOverlayPairedLines};
        overlay_.Compose(sub, modes[index % 3], c.width, c.lines);
    }

    template <class Kernel, class Walk>
    void CheckMembers(const Kernel* ref, const Kernel* fast, int count, bool planar, Walk walk) {
        RandomFrames rnd(1234);
        int index = 0;
        for (const Case& c : kCases) {
            for (int member = 0; member < count; ++member, ++index) {
                Frames frames(rnd, c, planar ? 1 : 2);
                Compose(rnd, c, index);
                ColourConstants k;
                // Every fourth case neutral, so the copy and plain-split paths run too.
                const CVRLNColourRecord colours =
                    index % 4 == 0 ? CVRLNColourRecord{} : rnd.Colours();
                ComputeColourConstants(colours, true, &k);
                const FieldChoice field{rnd.Int(0, 1), false};
                walk(frames.Area(&frames.A(), &overlay_, &k), ref[member], field);
                walk(frames.Area(&frames.B(), &overlay_, &k), fast[member], field);
                const std::string what = std::string(GetParam()) + " " + ref[member].label;
                const int pitch = c.width * (planar ? 1 : 2) + 5;
                frames.ExpectEqual(c.width * (planar ? 1 : 2), c.lines, 0, pitch, what + " Y");
                if (!planar) continue;
                const int chromaPitch = (pitch + 1) / 2;
                const int chromaLines = (c.lines + 1) / 2;
                const size_t v = size_t(pitch) * c.lines;
                const size_t u = v + size_t(chromaPitch) * chromaLines;
                frames.ExpectEqual((c.width + 1) / 2, chromaLines, v, chromaPitch, what + " V");
                frames.ExpectEqual((c.width + 1) / 2, chromaLines, u, chromaPitch, what + " U");
            }
        }
    }

    const KernelSet* fast_ = nullptr;
    OverlayPlanes overlay_;
};

TEST_P(KernelEquality, PlanarMembersMatchTheReference) {
    CheckMembers(ReferenceKernels().planar, fast_->planar, kPlanarMemberCount, true, &WalkPlanar);
}

TEST_P(KernelEquality, PackedMembersMatchTheReference) {
    CheckMembers(ReferenceKernels().packed, fast_->packed, kPackedMemberCount, false, &WalkPacked);
}

TEST_P(KernelEquality, BasicMembersMatchTheReference) {
    CheckMembers(ReferenceKernels().basic, fast_->basic, kBasicMemberCount, true, &WalkPlanar);
}

INSTANTIATE_TEST_SUITE_P(FastPaths, KernelEquality, ::testing::Values("sse2", "avx2"),
                         [](const auto& info) { return std::string(info.param); });

TEST(KernelTables, EveryMemberIsFilledAndLabelledAlike) {
    const KernelSet& ref = ReferenceKernels();
    const KernelSet* fast = Sse2Kernels();
    for (const PlanarKernel& k : ref.planar) {
        EXPECT_NE(k.straight, nullptr);
        EXPECT_NE(k.chroma, nullptr);
        EXPECT_EQ(k.filtered == nullptr, k.plan == LinePlan::kStraight) << k.label;
    }
    for (const PackedKernel& k : ref.packed) {
        EXPECT_NE(k.straight, nullptr);
        EXPECT_EQ(k.filtered == nullptr, k.plan == LinePlan::kStraight) << k.label;
    }
    if (fast == nullptr) return;
    for (int i = 0; i < kPackedMemberCount; ++i) {
        EXPECT_STREQ(ref.packed[i].label, fast->packed[i].label);
    }
    for (int i = 0; i < kPlanarMemberCount; ++i) {
        EXPECT_STREQ(ref.planar[i].label, fast->planar[i].label);
    }
}

TEST(KernelTables, TheCpuPicksTheTable) {
    KernelCpu plain;
    EXPECT_EQ(&KernelsFor(plain), &ReferenceKernels());
    KernelCpu sse2;
    sse2.sse2 = true;
    if (Sse2Kernels() != nullptr) {
        EXPECT_EQ(&KernelsFor(sse2), Sse2Kernels());
    }
    KernelCpu avx2 = sse2;
    avx2.avx2 = true;
    const KernelSet* mixed = MixedKernels();
    if (mixed == nullptr) return;
    EXPECT_EQ(&KernelsFor(avx2), mixed);
    avx2.avx2Everywhere = true;
    EXPECT_EQ(&KernelsFor(avx2), Avx2Kernels());
    // The members weighed faster on the wide table come from it (the plain mode-0
    // planar conversion among them); the members not weighed stay on SSE2.
    EXPECT_EQ(mixed->planar[kA2].straight, Avx2Kernels()->planar[kA2].straight);
    EXPECT_EQ(mixed->packed[kB23f].filtered, Avx2Kernels()->packed[kB23f].filtered);
    EXPECT_EQ(mixed->packed[kB1x].filtered, Avx2Kernels()->packed[kB1x].filtered);
    EXPECT_EQ(mixed->planar[kA0].chroma, Avx2Kernels()->planar[kA0].chroma);
    EXPECT_EQ(mixed->basic[kBasicConvert].chroma, Avx2Kernels()->basic[kBasicConvert].chroma);
    EXPECT_EQ(mixed->basic[kBasicSse].filtered, Sse2Kernels()->basic[kBasicSse].filtered);
    EXPECT_EQ(mixed->packed[kB0v].filtered, Sse2Kernels()->packed[kB0v].filtered);
}

}  // namespace
