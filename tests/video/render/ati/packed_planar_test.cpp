// The ATI renderer's packed-to-planar conversion: byte for byte against the
// rule it follows (V from the upper line of each pair, U from the lower, no
// averaging) on odd and even sizes, every fast path bit-exact with the
// reference on unaligned lines and lines ending at a page boundary, and the
// path chosen from the processor features.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/platform/fake_cpu_probe.h"
#include "video/render/ati/packed_planar.h"

namespace {

constexpr uint8_t kUnwritten = 0xA5;
constexpr size_t kGuard = 64;

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 engine(seed);
    std::vector<uint8_t> v(n);
    for (uint8_t& b : v) b = uint8_t(engine());
    return v;
}

// The expected planes written from first principles over a pre-filled buffer.
std::vector<uint8_t> Expected(const std::vector<uint8_t>& packed, int w, int h, size_t total) {
    std::vector<uint8_t> out(total, kUnwritten);
    const int cw = w / 2;
    uint8_t* y = out.data();
    uint8_t* v = y + size_t(w) * h;
    uint8_t* u = v + size_t(cw) * (h / 2);
    auto src = [&](int line, int pair, int byte) {
        return packed[size_t(line) * w * 2 + size_t(pair) * 4 + byte];
    };
    for (int i = 0; i < h / 2; ++i) {
        for (int j = 0; j < cw; ++j) {
            y[size_t(2 * i) * w + 2 * j] = src(2 * i, j, 0);
            y[size_t(2 * i) * w + 2 * j + 1] = src(2 * i, j, 2);
            y[size_t(2 * i + 1) * w + 2 * j] = src(2 * i + 1, j, 0);
            y[size_t(2 * i + 1) * w + 2 * j + 1] = src(2 * i + 1, j, 2);
            v[size_t(i) * cw + j] = src(2 * i, j, 3);
            u[size_t(i) * cw + j] = src(2 * i + 1, j, 1);
        }
    }
    return out;
}

KernelCpu Only(bool sse2, bool avx2) {
    KernelCpu cpu;
    cpu.sse2 = sse2;
    cpu.avx2 = avx2;
    return cpu;
}

// The paths this machine can run, the reference first.
std::vector<KernelCpu> Paths() {
    std::vector<KernelCpu> paths = {Only(false, false)};
    if (Sse2PackedToPlanarRows() != nullptr) paths.push_back(Only(true, false));
    if (Avx2PackedToPlanarRows() != nullptr) paths.push_back(Only(true, true));
    return paths;
}

struct Size {
    int width;
    int height;
};

const Size kSizes[] = {{1, 1},  {2, 2},   {3, 3},    {2, 5},     {5, 2},     {7, 9},
                       {31, 3}, {32, 4},  {33, 5},   {63, 7},    {64, 2},    {65, 3},
                       {66, 6}, {127, 1}, {129, 11}, {720, 576}, {721, 577}, {1023, 9}};

TEST(PackedToPlanar, EveryPathWritesExactlyThePlanesOfTheRuleOnOddAndEvenSizes) {
    for (const KernelCpu& cpu : Paths()) {
        for (const Size& s : kSizes) {
            const CVRLNPackedToPlanar converter(s.width, s.height, cpu);
            const auto packed =
                RandomBytes(size_t(s.width) * s.height * 2, s.width * 131 + s.height);
            const size_t total = converter.OutputBytes() + kGuard;
            std::vector<uint8_t> out(total, kUnwritten);
            converter.Convert(packed.data(), out.data());
            EXPECT_EQ(out, Expected(packed, s.width, s.height, total))
                << converter.PathName() << " " << s.width << "x" << s.height;
        }
    }
}

TEST(PackedToPlanar, OddSizesLeaveTheLastLumaColumnAndLineAsTheyWere) {
    const CVRLNPackedToPlanar converter(5, 3, Only(false, false));
    std::vector<uint8_t> packed(5 * 3 * 2);
    for (size_t i = 0; i < packed.size(); ++i) packed[i] = uint8_t(i + 1);
    std::vector<uint8_t> out(converter.OutputBytes(), kUnwritten);
    ASSERT_EQ(out.size(), 15u + 2u * 2u);
    converter.Convert(packed.data(), out.data());
    // Line 0 pairs: Y 1,3 | 5,7; line 1 pairs start at byte 10: Y 11,13 | 15,17.
    const std::vector<uint8_t> expected = {
        1,  3,          5,          7,          kUnwritten, 11,         13,         15,
        17, kUnwritten, kUnwritten, kUnwritten, kUnwritten, kUnwritten, kUnwritten, 4,
        8,        // V of line 0
        12, 16};  // U of line 1
    EXPECT_EQ(out, expected);
}

TEST(PackedToPlanar, OutputBytesCountTheThreeTightPlanes) {
    EXPECT_EQ(CVRLNPackedToPlanar(720, 576).OutputBytes(), 720u * 576u * 3u / 2u);
    EXPECT_EQ(CVRLNPackedToPlanar(7, 5).OutputBytes(), 35u + 2u * 3u * 2u);
    EXPECT_EQ(CVRLNPackedToPlanar(1, 1).OutputBytes(), 1u);
    EXPECT_EQ(CVRLNPackedToPlanar(0, 4).OutputBytes(), 0u);
    EXPECT_EQ(CVRLNPackedToPlanar(-3, 4).OutputBytes(), 0u);
}

// Memory whose last byte lies just before an inaccessible page.
class PageEnd {
  public:
    explicit PageEnd(size_t bytes) {
        page_ = size_t(sysconf(_SC_PAGESIZE));
        pages_ = (bytes + page_ - 1) / page_ + 1;
        void* p = mmap(nullptr, pages_ * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                       -1, 0);
        base_ = p == MAP_FAILED ? nullptr : static_cast<uint8_t*>(p);
        if (base_ != nullptr) mprotect(base_ + (pages_ - 1) * page_, page_, PROT_NONE);
        at_ = base_ != nullptr ? base_ + (pages_ - 1) * page_ - bytes : nullptr;
    }
    ~PageEnd() {
        if (base_ != nullptr) munmap(base_, pages_ * page_);
    }
    uint8_t* At() { return at_; }

  private:
    size_t page_ = 0;
    size_t pages_ = 0;
    uint8_t* base_ = nullptr;
    uint8_t* at_ = nullptr;
};

TEST(PackedToPlanar, FastPathsMatchTheReferenceOnUnalignedLinesEndingAtAPage) {
    std::mt19937 engine(14);
    for (const KernelCpu& cpu : Paths()) {
        for (int round = 0; round < 60; ++round) {
            const int width = 1 + int(engine() % 300), height = 1 + int(engine() % 9);
            const size_t inBytes = size_t(width) * height * 2;
            PageEnd source(inBytes);
            ASSERT_NE(source.At(), nullptr);
            const auto random = RandomBytes(inBytes, engine());
            std::memcpy(source.At(), random.data(), inBytes);
            const CVRLNPackedToPlanar fast(width, height, cpu);
            const CVRLNPackedToPlanar reference(width, height, Only(false, false));
            PageEnd out(fast.OutputBytes());
            std::vector<uint8_t> want(fast.OutputBytes() + 3, 0x5A);
            std::memset(out.At(), 0x5A, fast.OutputBytes());
            fast.Convert(source.At(), out.At());
            reference.Convert(random.data(), want.data() + 3);
            EXPECT_EQ(std::memcmp(out.At(), want.data() + 3, fast.OutputBytes()), 0)
                << fast.PathName() << " " << width << "x" << height;
        }
    }
}

TEST(PackedToPlanar, LinePairsOfEveryLengthMatchAtEveryMisalignment) {
    const PackedToPlanarRows& reference = ReferencePackedToPlanarRows();
    for (const PackedToPlanarRows* rows : {Sse2PackedToPlanarRows(), Avx2PackedToPlanarRows()}) {
        if (rows == nullptr) continue;
        for (int pairs = 0; pairs <= 100; ++pairs) {
            for (int shift = 0; shift < 4; ++shift) {
                const auto in = RandomBytes(size_t(pairs) * 8 + 8, uint32_t(pairs * 4 + shift));
                const uint8_t* upper = in.data() + shift;
                const uint8_t* lower = upper + pairs * 4;
                std::vector<uint8_t> a(size_t(pairs) * 6 + 8, 1), b(a.size(), 1);
                auto run = [&](const PackedToPlanarRows& r, std::vector<uint8_t>& o) {
                    uint8_t* p = o.data() + shift;
                    r.linePair(upper, lower, pairs, p, p + 2 * pairs, p + 4 * pairs, p + 5 * pairs);
                };
                run(reference, a);
                run(*rows, b);
                ASSERT_EQ(a, b) << rows->name << " pairs " << pairs << " shift " << shift;
            }
        }
    }
}

TEST(PackedToPlanar, ThePathFollowsTheProcessorFeatures) {
    EXPECT_STREQ(CVRLNPackedToPlanar(8, 8, Only(false, false)).PathName(), "reference");
    const char* sse2 = Sse2PackedToPlanarRows() != nullptr ? "sse2" : "reference";
    EXPECT_STREQ(CVRLNPackedToPlanar(8, 8, Only(true, false)).PathName(), sse2);
    const char* avx2 = Avx2PackedToPlanarRows() != nullptr ? "avx2" : sse2;
    EXPECT_STREQ(CVRLNPackedToPlanar(8, 8, Only(true, true)).PathName(), avx2);
}

// A converter made without features asks the platform layer's processor record.
TEST(PackedToPlanar, WithoutFeaturesGivenItTakesThoseThePlatformLayerReports) {
    constexpr uint32_t kMmx = 1u << 23, kSse = 1u << 25, kSse2 = 1u << 26;
    FakeCpuProbe pentium3, pentium4;
    pentium3.SetVendor("GenuineIntel");
    pentium3.SetLeaf1(0x673, 0, 0, kMmx | kSse);
    pentium4.SetVendor("GenuineIntel");
    pentium4.SetLeaf1(0xF29, 0, 1, kMmx | kSse | kSse2);
    const CpuProbe* host = InstallCpuProbe(&pentium3);
    const std::string withoutSse2 = CVRLNPackedToPlanar(16, 16).PathName();
    InstallCpuProbe(&pentium4);
    const std::string withSse2 = CVRLNPackedToPlanar(16, 16).PathName();
    InstallCpuProbe(host);
    EXPECT_EQ(withoutSse2, "reference");
    if (Sse2PackedToPlanarRows() != nullptr) {
        EXPECT_EQ(withSse2, Avx2PackedToPlanarRows() != nullptr ? "avx2" : "sse2");
    }
}

}  // namespace
