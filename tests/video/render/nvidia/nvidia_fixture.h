// A CVRLNNvidia on the simulated controller through the libNVDLL.so stand-in,
// with packed pictures to show, the SolvaneON_RESOLUTION setting, and the
// journal lines it is checked by. The test program's registry lives in a
// temporary folder (nvidia_registry.cpp).
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "sim/display/sim_display.h"
#include "tests/video/render/vendor_test_support.h"
#include "video/render/nvidia/nvidia_renderer.h"
#include "video/render/picture.h"

namespace nvidiatest {

constexpr const char* kFrameCall = "_Z18NvIVideoVideoFramePKv15NvPictureFormat";
constexpr const char* kConfVideoCall = "_Z20NvIVideoSetConfVideoRK11NvConfVideo";
constexpr const char* kConfColorCall = "_Z20NvIVideoSetConfColorRK11NvConfColor";
constexpr const char* kZoomCall = "_Z17NvIVideoSetZoomXYff";
constexpr const char* kSourceCall = "_Z17NvIVideoSetSourceRK6NvRect";
constexpr const char* kEndCall = "_Z16NvIVideoVideoEndv";
constexpr const char* kExitCall = "_Z9NvExitDllv";
constexpr const char* kInitCall = "_Z8NvMMInit12NvOutputMode13NvMonitorModejjj13NvAspectRatio";

// A packed picture as direct play hands it over, owning its frame: the left
// half at one luma, the right half at another, neutral chroma.
class PackedPicture {
  public:
    PackedPicture(int width, int height, uint8_t left = 60, uint8_t right = 200) {
        frame_.assign(size_t(width) * height * 2, 128);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame_[(size_t(y) * width + x) * 2] = x < width / 2 ? left : right;
        picture_.plane[0] = frame_.data();
        picture_.planeSize = uint32_t(width) * uint32_t(height);
        picture_.width = width;
        picture_.height = height;
        picture_.displayWidth = width;
        picture_.displayHeight = height;
        picture_.outputPitch = width * 2;
        picture_.packed = 1;
    }
    CVRLNPicture* Get() { return &picture_; }

  private:
    std::vector<uint8_t> frame_;
    CVRLNPicture picture_;
};

class NvidiaRendererTest : public vendortest::VendorRoot {
  protected:
    void SetUp() override {
        VendorRoot::SetUp();
        Install("libNVDLL.so");
        SettingDeleteValue("SolvaneON_RESOLUTION");
    }
    void TearDown() override {
        if (renderer_ != nullptr) renderer_->Close();
        renderer_.reset();
        SettingDeleteValue("SolvaneON_RESOLUTION");
        VendorRoot::TearDown();
    }
    void OpenRenderer(int resolution = -1) {
        if (resolution >= 0) SettingSetInt("SolvaneON_RESOLUTION", resolution);
        renderer_ = std::make_unique<CVRLNNvidia>();
        ASSERT_EQ(renderer_->Open(), 0);
        sim_display_journal_clear();
    }
    int Frame(PackedPicture* picture) {
        renderer_->DrawPicture(picture->Get());
        return renderer_->Flip(picture->Get());
    }
    int SetDestination(int left, int top, int right, int bottom) {
        const VRLNRect d{left, top, right, bottom};
        const VRLNRect s{0, 0, 10000, 10000};
        return renderer_->SetOutputRect(0, &d, &s);
    }
    int32_t Set(uint32_t id, int32_t value) {
        return renderer_->SetProperty(&VideoRendererPropertySet, id, nullptr, 0, &value, 4);
    }
    int32_t SetNoValue(uint32_t id) {
        return renderer_->SetProperty(&VideoRendererPropertySet, id, nullptr, 0, nullptr, 0);
    }
    int32_t Get(uint32_t id, int32_t* value) {
        return renderer_->GetProperty(&VideoRendererPropertySet, id, nullptr, 0, value, 4, nullptr);
    }
    static std::vector<std::string> Journal() { return SimDisplayJournal(); }
    static int Count(const char* prefix) { return sim_display_journal_count(prefix); }
    // The journal lines that begin with the name.
    static std::vector<std::string> Lines(const char* name) {
        std::vector<std::string> lines;
        for (const std::string& line : Journal())
            if (line.compare(0, std::string(name).size(), name) == 0) lines.push_back(line);
        return lines;
    }

    std::unique_ptr<CVRLNNvidia> renderer_;
};

// The scan-out pixel's luma-like level (the mean of red, green and blue).
inline int Level(const SimScanOut& s, int x, int y) {
    const unsigned char* p = s.At(x, y);
    return (p[0] + p[1] + p[2]) / 3;
}

}  // namespace nvidiatest
