// A CVRLNS3Twister opened on the simulated controller, with the host's
// window painted in the colour key and the once-per-process colour-key paint
// made due again (as for a fresh process), and the journal lines it is
// checked by.
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/display/sim_display.h"
#include "tests/sim/display/display_fixture.h"
#include "tests/video/render/intel/intel_fixture.h"
#include "tests/video/render/vendor_test_support.h"
#include "video/kernels/library_state.h"
#include "video/render/s3/s3_renderer.h"

namespace s3test {

constexpr uint32_t kKey = 0x0821;
// The packed pictures of the Intel tests: one luma level, neutral chroma.
using inteltest::PackedPicture;

class S3RendererTest : public vendortest::VendorRoot {
  protected:
    void SetUp() override {
        VendorRoot::SetUp();
        Install("libs3g.so");
        CVRLNS3Twister::RearmKeyPaint();
    }
    void TearDown() override {
        if (renderer_ != nullptr) renderer_->Close();
        renderer_.reset();
        VendorRoot::TearDown();
    }
    // Opens the renderer with the destination the host's window gives.
    void OpenRenderer() {
        renderer_ = std::make_unique<CVRLNS3Twister>();
        ASSERT_EQ(renderer_->Open(), 0);
        ASSERT_EQ(renderer_->SetOutputRect(0, &kWindow, nullptr), 0);
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
    int32_t Get(uint32_t id, int32_t* value) {
        return renderer_->GetProperty(&VideoRendererPropertySet, id, nullptr, 0, value, 4, nullptr);
    }
    // The n-th surface made (0 is the first after the screen).
    static SimDisplaySurface Surface(int n) {
        SimDisplaySurface surfaces[8] = {};
        const int count = sim_display_surfaces(surfaces, 8);
        return n < count ? surfaces[n] : SimDisplaySurface{};
    }
    static std::string Offset(int n) { return std::to_string(Surface(n).offset); }
    static std::vector<std::string> Journal() { return SimDisplayJournal(); }
    static int Count(const char* prefix) { return sim_display_journal_count(prefix); }

    static constexpr VRLNRect kWindow{100, 50, 819, 529};
    std::unique_ptr<CVRLNS3Twister> renderer_;
};

}  // namespace s3test
