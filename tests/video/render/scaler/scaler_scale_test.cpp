// Scale, byte for byte beside the plain reference: formats 2, 3, 4, 6 and 7
// with filters 0 and 1 on many sizes and ratios, on the reference routines
// and on the SSSE3 and AVX2 gathers, with the box pre-filled so that bytes
// written outside the fitted picture show, every line length, and sources
// that end at a page boundary.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/video/render/scaler/scaler_reference.h"
#include "video/kernels/kernel_cpu.h"
#include "video/render/scaler/scaler.h"

namespace {

struct Case {
    int bw, bh, sw, sh;
};

// Enlargements, reductions (some beyond two to one), equal sizes and odd
// sizes, at five ratios; and the sizes the NVIDIA zoom meets at two.
const Case kCases[] = {
    {64, 48, 2, 2},    {66, 50, 38, 26}, {34, 22, 256, 200}, {12, 12, 12, 12},   {96, 30, 30, 96},
    {18, 300, 18, 40}, {60, 40, 60, 40}, {40, 40, 124, 12},  {130, 90, 96, 116},
};
const float kAspects[] = {4.0f / 3.0f, 16.0f / 9.0f, 1.0f, 2.35f, 0.5f};
const Case kZoomCases[] = {{720, 480, 640, 480}, {720, 480, 544, 576}, {720, 480, 1280, 720}};
const float kZoomAspects[] = {4.0f / 3.0f, 16.0f / 9.0f};

std::vector<uint8_t> Random(size_t bytes, unsigned seed) {
    std::mt19937 engine(seed);
    std::vector<uint8_t> v(bytes);
    for (uint8_t& b : v) b = uint8_t(engine());
    return v;
}

std::vector<const ScalerRoutines*> Paths() {
    std::vector<const ScalerRoutines*> paths{&ReferenceScalerRoutines()};
    if (Ssse3ScalerRoutines() != nullptr) paths.push_back(Ssse3ScalerRoutines());
    if (Avx2ScalerRoutines() != nullptr) paths.push_back(Avx2ScalerRoutines());
    return paths;
}

// Odd sizes are made even where the format needs it.
Case Adjusted(const Case& c, int format) {
    Case a = c;
    if (format >= 4) {
        a.bw &= ~1;
        a.sw &= ~1;
    }
    if (format >= 6) {
        a.bh &= ~1;
        a.sh &= ~1;
    }
    return a;
}

// Runs every case of a format and filter on every path; returns how many
// configurations were compared.
template <size_t C, size_t A>
int CompareAll(int format, int filter, const Case (&cases)[C], const float (&aspects)[A]) {
    int compared = 0;
    for (const ScalerRoutines* path : Paths()) {
        for (const Case& raw : cases) {
            const Case c = Adjusted(raw, format);
            for (float aspect : aspects) {
                CVRLNScaler scaler(*path);
                if (scaler.Configure(format, filter, aspect, c.bw, c.bh, c.sw, c.sh) != 0) {
                    ADD_FAILURE() << "refused " << c.bw << "x" << c.bh << " from " << c.sw << "x"
                                  << c.sh;
                    continue;
                }
                const std::vector<uint8_t> source =
                    Random(CVRLNScaler::PictureBytes(format, c.sw, c.sh), unsigned(c.sw * c.sh));
                const size_t boxBytes = CVRLNScaler::PictureBytes(format, c.bw, c.bh);
                std::vector<uint8_t> got(boxBytes, 0xA5), want(boxBytes, 0xA5);
                scaler.Scale(got.data(), source.data());
                scalertest::ReferenceScale(format, filter, aspect, c.bw, c.bh, c.sw, c.sh,
                                           source.data(), want.data());
                size_t first = 0;
                while (first < boxBytes && got[first] == want[first]) ++first;
                EXPECT_EQ(first, boxBytes)
                    << path->name << " format " << format << " filter " << filter << " aspect "
                    << aspect << " box " << c.bw << "x" << c.bh << " source " << c.sw << "x" << c.sh
                    << ": first difference at byte " << first;
                ++compared;
            }
        }
    }
    return compared;
}

class ScalerScale : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ScalerScale, EqualsThePlainReferenceByteForByte) {
    const int compared = CompareAll(GetParam().first, GetParam().second, kCases, kAspects);
    EXPECT_EQ(compared, int(Paths().size() * std::size(kCases) * std::size(kAspects)));
}

TEST_P(ScalerScale, EqualsThePlainReferenceOnTheZoomSizes) {
    const int compared = CompareAll(GetParam().first, GetParam().second, kZoomCases, kZoomAspects);
    EXPECT_EQ(compared, int(Paths().size() * std::size(kZoomCases) * std::size(kZoomAspects)));
}

INSTANTIATE_TEST_SUITE_P(FormatsAndFilters, ScalerScale,
                         ::testing::Values(std::make_pair(2, 0), std::make_pair(2, 1),
                                           std::make_pair(3, 0), std::make_pair(3, 1),
                                           std::make_pair(4, 0), std::make_pair(4, 1),
                                           std::make_pair(6, 0), std::make_pair(6, 1),
                                           std::make_pair(7, 0), std::make_pair(7, 1)),
                         [](const ::testing::TestParamInfo<std::pair<int, int>>& info) {
                             return "Format" + std::to_string(info.param.first) + "Filter" +
                                    std::to_string(info.param.second);
                         });

TEST(ScalerPacked, EachPairTakesTwoLumaBytesAndTheChromaOfOneSourcePair) {
    // 4 pixels (2 pairs) widened to 8 in a box 8 x 1 at aspect 8: nearest.
    const uint8_t source[8] = {10, 100, 20, 200, 30, 101, 40, 201};
    CVRLNScaler scaler(ReferenceScalerRoutines());
    ASSERT_EQ(scaler.Configure(4, 0, 8.0f, 8, 1, 4, 1), 0);
    uint8_t box[16] = {};
    scaler.Scale(box, source);
    // Columns 8 from 4: 0 0 1 1 2 2 3 3 (k x 3 / 7); pairs 4 from 2: 0 0 1 1.
    const uint8_t want[16] = {10, 100, 10, 200, 20, 100, 20, 200,
                              30, 101, 30, 201, 40, 101, 40, 201};
    EXPECT_EQ(std::vector<uint8_t>(box, box + 16), std::vector<uint8_t>(want, want + 16));
}

TEST(ScalerPlanar, FormatSixSwapsTheChromaPlanesAndSevenKeepsThem) {
    // 2 x 2 luma, one U and one V byte; copied as they are (fitted = source).
    const uint8_t source[6] = {1, 2, 3, 4, 50, 60};
    for (int format : {6, 7}) {
        CVRLNScaler scaler(ReferenceScalerRoutines());
        ASSERT_EQ(scaler.Configure(format, 0, 1.0f, 2, 2, 2, 2), 0);
        uint8_t box[6] = {};
        scaler.Scale(box, source);
        EXPECT_EQ(box[4], format == 6 ? 60 : 50) << format;
        EXPECT_EQ(box[5], format == 6 ? 50 : 60) << format;
        EXPECT_EQ(box[3], 4);
    }
}

TEST(ScalerPacked, ARepeatedSourceLineIsTheLineAbove) {
    CVRLNScaler scaler;
    ASSERT_EQ(scaler.Configure(4, 0, 1.0f, 16, 16, 16, 4), 0);
    ASSERT_EQ(scaler.Lines()[1], scaler.Lines()[2]) << "lines repeat when enlarging";
    const std::vector<uint8_t> source = Random(16 * 4 * 2, 3);
    std::vector<uint8_t> box(16 * 16 * 2, 0);
    scaler.Scale(box.data(), source.data());
    for (int y = 1; y < 16; ++y) {
        if (scaler.Lines()[size_t(y)] != scaler.Lines()[size_t(y - 1)]) continue;
        EXPECT_EQ(std::memcmp(&box[size_t(y) * 32], &box[size_t(y - 1) * 32], 32), 0) << y;
    }
}

// A source whose last byte is the last byte before an inaccessible page.
class GuardedSource {
  public:
    explicit GuardedSource(size_t bytes) : page_(size_t(sysconf(_SC_PAGESIZE))) {
        span_ = (bytes + page_ - 1) / page_ * page_ + page_;
        void* p = mmap(nullptr, span_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base_ = p == MAP_FAILED ? nullptr : static_cast<uint8_t*>(p);
        if (base_ != nullptr) mprotect(base_ + span_ - page_, page_, PROT_NONE);
        data_ = base_ != nullptr ? base_ + span_ - page_ - bytes : nullptr;
    }
    ~GuardedSource() {
        if (base_ != nullptr) munmap(base_, span_);
    }
    uint8_t* Data() { return data_; }

  private:
    size_t page_;
    size_t span_ = 0;
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
};

TEST(ScalerBounds, NoPathReadsPastTheEndOfTheSource) {
    for (const ScalerRoutines* path : Paths()) {
        for (const Case& c : {Case{720, 480, 640, 480}, Case{720, 480, 1280, 720},
                              Case{64, 48, 34, 20}, Case{40, 40, 10, 10}}) {
            for (int format : {2, 3, 4, 7}) {
                CVRLNScaler scaler(*path);
                ASSERT_EQ(scaler.Configure(format, 0, 16.0f / 9.0f, c.bw, c.bh, c.sw, c.sh), 0);
                const size_t bytes = CVRLNScaler::PictureBytes(format, c.sw, c.sh);
                GuardedSource source(bytes);
                ASSERT_NE(source.Data(), nullptr);
                const std::vector<uint8_t> random = Random(bytes, 11);
                std::memcpy(source.Data(), random.data(), bytes);
                std::vector<uint8_t> got(CVRLNScaler::PictureBytes(format, c.bw, c.bh), 0);
                std::vector<uint8_t> want(got.size(), 0);
                scaler.Scale(got.data(), source.Data());
                scalertest::ReferenceScale(format, 0, 16.0f / 9.0f, c.bw, c.bh, c.sw, c.sh,
                                           random.data(), want.data());
                EXPECT_EQ(got, want) << path->name << " format " << format;
            }
        }
    }
}

// How often each kind of chunk occurs in the gather plans of four-byte
// lines with these columns, and how many lines mix kinds.
struct ChunkKinds {
    int count[3] = {0, 0, 0};
    int mixedLines = 0;
};

void Tally(const std::vector<int32_t>& columns, int sourceWidth, ChunkKinds* kinds) {
    std::vector<int32_t> bytes;
    for (int32_t column : columns)
        for (int c = 0; c < 4; ++c) bytes.push_back(column * 4 + c);
    const ScalerGatherPlan plan = BuildGatherPlan(bytes, sourceWidth * 4);
    bool seen[3] = {false, false, false};
    for (const ScalerGatherChunk& chunk : plan.chunks) {
        ++kinds->count[chunk.kind];
        seen[chunk.kind] = true;
    }
    if (int(seen[0]) + int(seen[1]) + int(seen[2]) > 1) ++kinds->mixedLines;
}

// Every fitted width up to five chunks, so each length of a line's byte-by-
// byte end meets the shuffles, from sources that enlarge (one window per
// chunk), reduce a little (two windows) and reduce strongly (byte by byte,
// or a mix of kinds within one line), on every path the processor runs.
TEST(ScalerLines, EveryWidthAndEachKindOfChunkEqualsTheReference) {
    int compared = 0;
    ChunkKinds kinds;
    for (const ScalerRoutines* path : Paths()) {
        for (int format : {2, 3, 4, 7}) {
            const int step = format >= 4 ? 2 : 1;
            for (int width = step; width <= 80; width += step) {
                for (int sourceWidth : {width / 2 + 1, width + width / 3, width * 5 + 3}) {
                    const int sw = std::min((sourceWidth + step - 1) / step * step, 1024);
                    const int bh = 6, sh = format >= 6 ? 4 : 3;
                    CVRLNScaler scaler(*path);
                    const float aspect = float(width) / float(bh);
                    ASSERT_EQ(scaler.Configure(format, 0, aspect, width, bh, sw, sh), 0);
                    ASSERT_EQ(scaler.FittedWidth(), width);
                    const std::vector<uint8_t> source =
                        Random(CVRLNScaler::PictureBytes(format, sw, sh), unsigned(width + sw));
                    const size_t boxBytes = CVRLNScaler::PictureBytes(format, width, bh);
                    std::vector<uint8_t> got(boxBytes, 0x5A), want(boxBytes, 0x5A);
                    scaler.Scale(got.data(), source.data());
                    scalertest::ReferenceScale(format, 0, aspect, width, bh, sw, sh, source.data(),
                                               want.data());
                    ASSERT_EQ(got, want) << path->name << " format " << format << " width " << width
                                         << " from " << sw;
                    if (format == 3) Tally(scaler.Columns(), sw, &kinds);
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, int(Paths().size()) * 3 * (80 + 80 + 40 + 40));
    EXPECT_GT(kinds.count[kGatherWindow], 0);
    EXPECT_GT(kinds.count[kGatherTwoWindows], 0);
    EXPECT_GT(kinds.count[kGatherBytes], 0);
    EXPECT_GT(kinds.mixedLines, 0);
}

// The path comes from the platform layer's processor record, so a record
// without SSSE3 (as "CPUCHECK" gives, or an i386 processor without it) runs
// the plain reference whatever the machine has.
TEST(ScalerPaths, TheRecordChoosesThePath) {
    KernelCpu none;
    EXPECT_EQ(&ScalerRoutinesFor(none), &ReferenceScalerRoutines());
    KernelCpu avx2Only;
    avx2Only.sse2 = avx2Only.avx2 = true;
    EXPECT_EQ(&ScalerRoutinesFor(avx2Only), &ReferenceScalerRoutines());
    KernelCpu ssse3;
    ssse3.sse2 = ssse3.ssse3 = true;
    KernelCpu both = ssse3;
    both.avx2 = true;
    if (Ssse3ScalerRoutines() == nullptr) {
        EXPECT_EQ(&ScalerRoutinesFor(ssse3), &ReferenceScalerRoutines());
        EXPECT_EQ(&ScalerRoutinesFor(both), &ReferenceScalerRoutines());
        return;
    }
    EXPECT_EQ(&ScalerRoutinesFor(ssse3), Ssse3ScalerRoutines());
    EXPECT_EQ(&ScalerRoutinesFor(both),
              Avx2ScalerRoutines() != nullptr ? Avx2ScalerRoutines() : Ssse3ScalerRoutines());
}

TEST(ScalerPaths, TheDefaultPathIsTheOneOfThisProcessorsRecord) {
    EXPECT_EQ(&DefaultScalerRoutines(), &ScalerRoutinesFor(DetectKernelCpu()));
    CVRLNScaler scaler;
    EXPECT_EQ(&scaler.Routines(), &DefaultScalerRoutines());
}

}  // namespace
