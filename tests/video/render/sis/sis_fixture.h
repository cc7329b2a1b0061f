// A CVRLNSiS opened on the simulated controller as the renderer choice
// leaves things (current frame and configured output 720 x 576), with the
// host's window painted in the colour key, the error hook's reports and the
// journal lines it is checked by.
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
#include "video/render/sis/sis_renderer.h"

namespace sistest {

constexpr uint32_t kKey = 0x0821;
// The packed pictures of the Intel tests: one luma level, neutral chroma.
using inteltest::PackedPicture;

// What the error hook was told, in order.
inline std::vector<std::string>& Reports() {
    static std::vector<std::string> reports;
    return reports;
}
inline int RecordReport(const char* caption, const char* message) {
    Reports().push_back(std::string(caption) + ": " + message);
    return 0;
}

class SisRendererTest : public vendortest::VendorRoot {
  protected:
    void SetUp() override {
        VendorRoot::SetUp();
        Install("libdv.so");
        SetCurrentFrameSize(720, 576);
        SetConfiguredOutputSize(720, 576);
        SetRendererFlags(0);
        Reports().clear();
    }
    void TearDown() override {
        if (renderer_ != nullptr) renderer_->Close();
        renderer_.reset();
        VendorRoot::TearDown();
    }
    void Create() {
        renderer_ = std::make_unique<CVRLNSiS>();
        renderer_->SetErrorHook(RecordReport);
    }
    // Opens the renderer with the destination the host's window gives.
    void OpenRenderer() {
        Create();
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
    // The bytes of the n-th buffer the library made.
    static const uint8_t* Buffer(int n) {
        SimDisplaySurface surfaces[8];
        const int count = sim_display_surfaces(surfaces, 8);
        return n < count ? sim_display_memory() + surfaces[n].offset : nullptr;
    }
    static std::vector<std::string> Journal() { return SimDisplayJournal(); }
    static int Count(const char* prefix) { return sim_display_journal_count(prefix); }

    static constexpr VRLNRect kWindow{100, 50, 819, 529};
    std::unique_ptr<CVRLNSiS> renderer_;
};

}  // namespace sistest
