// A CVRLNCLE266 opened on the simulated controller with the stand-in
// libddmpeg.so, the screen seam pointing at the simulated screen, and what
// its tests look at: the commands in the journal and the overlay buffers.
#pragma once

#include <gmock/gmock.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/video/render/test_pictures.h"
#include "tests/video/render/vendor_test_support.h"
#include "video/render/via/cle266_renderer.h"

namespace cle266test {

constexpr uint32_t kKey = 0xFFFFFFFF;
constexpr VRLNRect kWindow{100, 50, 819, 529};
constexpr const char* kStart = "VIADriverProc 0";
constexpr const char* kStop = "VIADriverProc 1";

// The record words the journal shows for commands 2, 3 and 4.
inline std::string SurfaceLine(int command, int width, int height, uint32_t key = kKey) {
    return "VIADriverProc " + std::to_string(command) + " " + std::to_string(width) + " " +
           std::to_string(height) + " 1 " + std::to_string(key) + " 844715353";
}

// Command 6 with all twelve words.
inline std::string OverlayLine(const VRLNRect& d, int width, int height, uint32_t flags,
                               uint32_t key = kKey) {
    return "VIADriverProc 6 " + std::to_string(d.left) + " " + std::to_string(d.top) + " " +
           std::to_string(d.right) + " " + std::to_string(d.bottom) + " 0 0 " +
           std::to_string(width) + " " + std::to_string(height) + " " + std::to_string(flags) +
           " " + std::to_string(key) + " 0 844715353";
}

constexpr uint32_t kShowKeyed = 0x200006;
constexpr uint32_t kHide = 0x200001;

class Cle266RendererTest : public vendortest::VendorRoot {
  protected:
    void SetUp() override {
        VendorRoot::SetUp();
        Install("libddmpeg.so");
        setenv("MIROVA_FBDEV", sim_display_memory_path(), 1);
        setenv("MIROVA_FBGEOMETRY", "1024x768x16", 1);
    }
    void TearDown() override {
        if (renderer_ != nullptr) renderer_->Close();
        renderer_.reset();
        unsetenv("MIROVA_FBDEV");
        unsetenv("MIROVA_FBGEOMETRY");
        VendorRoot::TearDown();
    }
    // Opens (its line captured) and takes the host's window.
    void OpenRenderer() {
        renderer_ = std::make_unique<CVRLNCLE266>();
        printed_ = OpenPrinting();
        ASSERT_EQ(opened_, 0);
        ASSERT_EQ(renderer_->SetOutputRect(0, &kWindow, nullptr), 0);
        sim_display_fill_screen(kWindow.left, kWindow.top, 720, 480, kKey);
        sim_display_journal_clear();
    }
    std::string OpenPrinting() {
        testing::internal::CaptureStdout();
        opened_ = renderer_->Open();
        return testing::internal::GetCapturedStdout();
    }
    int Frame(CVRLNPicture* picture) {
        renderer_->DrawPicture(picture);
        return renderer_->Flip(picture);
    }
    int32_t Set(uint32_t id, int32_t value) {
        return renderer_->SetProperty(&VideoRendererPropertySet, id, nullptr, 0, &value, 4);
    }
    int32_t Get(uint32_t id, int32_t* value) {
        return renderer_->GetProperty(&VideoRendererPropertySet, id, nullptr, 0, value, 4, nullptr);
    }
    static std::vector<std::string> Journal() { return SimDisplayJournal(); }
    static int Count(const char* prefix) { return sim_display_journal_count(prefix); }
    // The journal's commands of one number, in order.
    static std::vector<std::string> Commands(int command) {
        const std::string prefix = "VIADriverProc " + std::to_string(command);
        std::vector<std::string> lines;
        for (const std::string& line : Journal())
            if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
        return lines;
    }

    std::unique_ptr<CVRLNCLE266> renderer_;
    std::string printed_;
    int opened_ = 0;
};

}  // namespace cle266test
