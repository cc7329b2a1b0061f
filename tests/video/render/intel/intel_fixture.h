// A CVRLNI915G (or CVRLNI865G) opened on the simulated controller, with
// packed pictures to show and the journal lines it is checked by.
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "interfaces/vendor/video_memory.h"
#include "tests/video/render/vendor_test_support.h"
#include "video/render/intel/intel_renderer.h"
#include "video/render/picture.h"

namespace inteltest {

constexpr uint32_t kKey = 0x0821;

// A packed picture as direct play hands it over, owning its frame.
class PackedPicture {
  public:
    PackedPicture(int width, int height, uint8_t luma) { Resize(width, height, luma); }
    void Resize(int width, int height, uint8_t luma) {
        frame_.assign(size_t(width) * height * 2, 128);
        for (size_t i = 0; i < frame_.size(); i += 2) frame_[i] = luma;
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

class IntelRendererTest : public vendortest::VendorRoot {
  protected:
    void SetUp() override {
        VendorRoot::SetUp();
        Install("libI915G.so");
        Install("libI865G.so");
    }
    void TearDown() override {
        if (renderer_ != nullptr) renderer_->Close();
        renderer_.reset();
        VendorRoot::TearDown();
    }
    // Opens a 915G renderer with the destination the host's window gives.
    void OpenRenderer(std::unique_ptr<CVRLNI865G> renderer = std::make_unique<CVRLNI915G>()) {
        renderer_ = std::move(renderer);
        ASSERT_EQ(renderer_->Open(), 0);
        const VRLNRect destination{100, 50, 819, 529};
        const VRLNRect source{0, 0, 10000, 10000};
        ASSERT_EQ(renderer_->SetOutputRect(0, &destination, &source), 0);
        sim_display_fill_screen(100, 50, 720, 480, kKey);
        sim_display_journal_clear();
    }
    int Frame(PackedPicture* picture) {
        renderer_->DrawPicture(picture->Get());
        return renderer_->Flip(picture->Get());
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
    // The offset of the n-th surface made (0 is the first after the screen).
    static uint32_t SurfaceOffset(int n) {
        SimDisplaySurface surfaces[8];
        const int count = sim_display_surfaces(surfaces, 8);
        return n < count ? surfaces[n].offset : 0;
    }
    static std::vector<std::string> Journal() { return SimDisplayJournal(); }
    static int Count(const char* prefix) { return sim_display_journal_count(prefix); }

    std::unique_ptr<CVRLNI865G> renderer_;
};

}  // namespace inteltest
