// Helpers of the frame-buffer tests: a virtual screen installed for one test,
// a private overlay-record key, the debug log read back, and packed test frames.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/debug_log.h"
#include "video/render/fb_device.h"
#include "video/render/overlay_record.h"
#include "video/render/picture.h"

namespace fbtest {

// Captures what DebugPrint writes while it lives.
class LogCapture {
  public:
    LogCapture() : record_(new PerfRecord()) {
        std::memset(record_.get(), 0, sizeof(PerfRecord));
        PerfMeterAttach(record_.get());
    }
    ~LogCapture() { PerfMeterAttach(nullptr); }
    std::string Text() const { return std::string(record_->logRing); }

  private:
    std::unique_ptr<PerfRecord> record_;
};

// A screen in memory for the duration of a test, and an overlay key of this
// process so tests running side by side never share a segment.
class ScreenTest : public ::testing::Test {
  protected:
    void UseScreen(int width, int height, int depth, int lineLength = 0) {
        screen_ = std::make_unique<VirtualScreen>(width, height, depth, lineLength);
        InstallVirtualScreen(screen_.get());
    }
    void SetUp() override { SetOverlayRecordKey(0x4D500000 + int(getpid() & 0xFFFF)); }
    void TearDown() override { InstallVirtualScreen(nullptr); }

    std::unique_ptr<VirtualScreen> screen_;
};

// Y0 U Y1 V frame whose pixel (x, y) has the colour of vertical bar x * 8 / width.
struct Bar {
    uint8_t y, u, v;
};
constexpr Bar kBars[8] = {{235, 128, 128}, {210, 16, 146}, {170, 166, 16}, {145, 54, 34},
                          {106, 202, 222}, {81, 90, 240},  {41, 240, 110}, {16, 128, 128}};

inline std::vector<uint8_t> BarFrame(int width, int height) {
    std::vector<uint8_t> frame(size_t(width) * height * 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x + 1 < width; x += 2) {
            const Bar& bar = kBars[x * 8 / width];
            uint8_t* p = frame.data() + (size_t(y) * width + x) * 2;
            p[0] = bar.y;
            p[1] = bar.u;
            p[2] = bar.y;
            p[3] = bar.v;
        }
    return frame;
}

// Points a zeroed picture at a packed frame, as direct play does.
inline void DescribePacked(CVRLNPicture* picture, uint8_t* frame, int width, int height) {
    picture->plane[0] = frame;
    picture->planeSize = uint32_t(width * height);
    picture->width = width;
    picture->height = height;
    picture->displayWidth = width;
    picture->displayHeight = height;
    picture->outputPitch = width * 2;
    picture->packed = 1;
}

}  // namespace fbtest
