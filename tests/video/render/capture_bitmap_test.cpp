// The capture bitmap: header, palette, bottom-up rows, and the colours of a
// packed picture against the BT.709 formula computed independently; the file
// made from it opens in an image tool.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/video/render/fb_test_support.h"
#include "video/render/capture_bitmap.h"

namespace {

int32_t Field(const std::vector<uint8_t>& b, int offset, int bytes = 4) {
    int32_t v = 0;
    std::memcpy(&v, b.data() + offset, size_t(bytes));
    return v;
}

// BT.709 with video-range luma, in floating point.
int Bt709(double y, double u, double v, int channel) {
    const double l = 1.164383 * (y - 16), cu = u - 128, cv = v - 128;
    const double c[3] = {l + 2.112402 * cu, l - 0.212930 * cu - 0.532592 * cv, l + 1.792741 * cv};
    return int(std::lround(std::min(255.0, std::max(0.0, c[channel]))));
}

CaptureSource PackedSource(std::vector<uint8_t>& frame, int w, int h) {
    CaptureSource s{};
    s.tag = kTagPacked422;
    s.pixels = frame.data();
    s.pitch = w * 2;
    s.width = w;
    s.height = h;
    return s;
}

TEST(CaptureBitmap, PackedPictureFollowsBt709BottomUp) {
    const int w = 64, h = 4;
    auto frame = fbtest::BarFrame(w, h);
    // Mark the last line so the row order shows.
    for (int x = 0; x < w * 2; x += 2) frame[size_t(h - 1) * w * 2 + x] = 16;
    std::vector<uint8_t> bitmap(CaptureBytes(24, w, h), 0xEE);
    ASSERT_TRUE(WriteCaptureBitmap(PackedSource(frame, w, h), 24, bitmap.data()));
    EXPECT_EQ(Field(bitmap, 0), 40);
    EXPECT_EQ(Field(bitmap, 4), w);
    EXPECT_EQ(Field(bitmap, 8), h);
    EXPECT_EQ(Field(bitmap, 12, 2), 1);
    EXPECT_EQ(Field(bitmap, 14, 2), 24);
    EXPECT_EQ(Field(bitmap, 16), 0);
    EXPECT_EQ(Field(bitmap, 24), 1);
    EXPECT_EQ(Field(bitmap, 28), 1);
    for (int b = 0; b < 8; ++b) {
        const fbtest::Bar& bar = fbtest::kBars[b];
        const int x = b * 8 + 2;
        const uint8_t* top = bitmap.data() + 40 + size_t(h - 1) * w * 3 + 3 * x;
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(top[c], Bt709(bar.y, bar.u, bar.v, c), 1) << b;
        const uint8_t* bottom = bitmap.data() + 40 + 3 * x;  // the marked last line comes first
        EXPECT_NEAR(bottom[0], Bt709(16, bar.u, bar.v, 0), 1) << b;
    }
}

// The capture's own integer matrix, written out from its coefficients.
uint8_t Matrix(int y, int u, int v, int channel) {
    const int64_t l = int64_t(y - 16) * 76309, cu = u - 128, cv = v - 128;
    const int64_t sums[3] = {l + 138453 * cu, l - 13954 * cu - 34903 * cv, l + 117504 * cv};
    const int64_t value = (sums[channel] + 0x8000) >> 16;
    return uint8_t(value < 0 ? 0 : (value > 255 ? 255 : value));
}

TEST(CaptureBitmap, PackedColoursAreTheIntegerMatrixByteForByte) {
    // Every pixel of random pairs, extremes included, against the formula.
    const int w = 256, h = 3;
    std::vector<uint8_t> frame(size_t(w) * h * 2);
    uint32_t state = 12345;
    for (auto& b : frame) b = uint8_t((state = state * 1103515245u + 12345u) >> 16);
    for (int i = 0; i < 8; ++i) frame[size_t(i)] = i % 2 ? 255 : 0;
    std::vector<uint8_t> bitmap(CaptureBytes(24, w, h), 0xEE);
    ASSERT_TRUE(WriteCaptureBitmap(PackedSource(frame, w, h), 24, bitmap.data()));
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = bitmap.data() + 40 + size_t(h - 1 - y) * w * 3;
        for (int x = 0; x < w; ++x) {
            const uint8_t* pair = frame.data() + (size_t(y) * w + (x & ~1)) * 2;
            const int luma = pair[(x & 1) * 2];
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(row[3 * x + c], Matrix(luma, pair[1], pair[3], c))
                    << "pixel " << x << " line " << y << " channel " << c;
        }
    }
}

TEST(CaptureBitmap, EightBitsWriteTheThreeThreeTwoPalette) {
    const int w = 16, h = 2;
    auto frame = fbtest::BarFrame(w, h);
    std::vector<uint8_t> bitmap(CaptureBytes(8, w, h));
    ASSERT_TRUE(WriteCaptureBitmap(PackedSource(frame, w, h), 8, bitmap.data()));
    EXPECT_EQ(Field(bitmap, 14, 2), 8);
    const uint8_t* palette = bitmap.data() + 40;
    const uint8_t* last = palette + 4 * 255;  // i = 7, j = 7, k = 3
    EXPECT_EQ(last[0], 255);
    EXPECT_EQ(last[1], 255);
    EXPECT_EQ(last[2], 255);
    EXPECT_EQ(palette[4 * 37 + 2], 1 * 255 / 7);  // entry 32 + 4 + 1: red i = 1
    EXPECT_EQ(palette[4 * 37 + 0], 85);
    uint8_t white[3] = {235, 235, 235};
    for (int c = 0; c < 3; ++c) white[c] = uint8_t(Bt709(235, 128, 128, c));
    EXPECT_EQ(bitmap[40 + 1024], Palette332(white));
}

TEST(CaptureBitmap, SizesAndRefusals) {
    EXPECT_EQ(CaptureBytes(24, 800, 600), 1440072u);
    EXPECT_EQ(CaptureBytes(8, 800, 600), 480000u + 1096);
    CaptureSource none{};
    none.tag = kTagRgb32;
    std::vector<uint8_t> bitmap(200);
    EXPECT_FALSE(WriteCaptureBitmap(none, 24, bitmap.data()));
    std::vector<uint8_t> pixels(16);
    CaptureSource narrow{kTagRgb32, pixels.data(), 8, 4, 1, nullptr, nullptr, 0};
    EXPECT_FALSE(WriteCaptureBitmap(narrow, 24, bitmap.data()));  // pitch below 4 x 4 bytes
}

TEST(CaptureBitmap, RgbSixteenBitPixelsExpand) {
    std::vector<uint8_t> pixels = {0x1F, 0xF8};  // 5-6-5: red 31, green 0, blue 31
    CaptureSource s{kTagRgb565, pixels.data(), 2, 1, 1, nullptr, nullptr, 0};
    std::vector<uint8_t> bitmap(CaptureBytes(24, 1, 1));
    ASSERT_TRUE(WriteCaptureBitmap(s, 24, bitmap.data()));
    EXPECT_EQ(bitmap[40], 248);
    EXPECT_EQ(bitmap[41], 0);
    EXPECT_EQ(bitmap[42], 248);
}

// file(1) parses the headers and reports the size and depth it finds.
TEST(CaptureBitmap, FileIsRecognisedAsABitmapByFile) {
    if (std::system("command -v file >/dev/null 2>&1") != 0) GTEST_SKIP() << "no file(1)";
    const int w = 64, h = 32;
    auto frame = fbtest::BarFrame(w, h);
    for (int bits : {24, 8}) {
        std::vector<uint8_t> bitmap(CaptureBytes(bits, w, h));
        ASSERT_TRUE(WriteCaptureBitmap(PackedSource(frame, w, h), bits, bitmap.data()));
        const size_t used = 40 + (bits == 8 ? 1024 + w * h : w * h * 3);
        uint8_t header[kBmpFileHeaderBytes];
        MakeBmpFileHeader(used, bits, header);
        char path[] = "/tmp/mirova_capture_XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, header, sizeof header), ssize_t(sizeof header));
        ASSERT_EQ(write(fd, bitmap.data(), used), ssize_t(used));
        close(fd);
        const std::string bmp = std::string(path) + ".bmp";
        std::rename(path, bmp.c_str());
        const std::string command = "file -b " + bmp + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        char line[256] = {};
        ASSERT_NE(pipe, nullptr);
        const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
        pclose(pipe);
        unlink(bmp.c_str());
        ASSERT_TRUE(read);
        const std::string text(line);
        EXPECT_NE(text.find("PC bitmap"), std::string::npos) << text;
        EXPECT_NE(text.find("64 x 32 x " + std::to_string(bits)), std::string::npos) << text;
    }
}

}  // namespace
