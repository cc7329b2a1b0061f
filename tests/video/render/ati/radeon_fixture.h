// A CVRLNRadeon opened on the simulated controller with the stand-in
// libradeonov.so, and what its tests look at: the journal, the two video
// buffers in video memory and the property calls.
#pragma once

#include <gmock/gmock.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/video/render/test_pictures.h"
#include "tests/video/render/vendor_test_support.h"
#include "video/render/ati/packed_planar.h"
#include "video/render/ati/radeon_renderer.h"

namespace radeontest {

constexpr uint32_t kKey = 0x010101;
// Below the 1024 x 768 x 16 screen the machine starts with.
constexpr uint32_t kOffset = 768u * 2048u;
constexpr VRLNRect kWindow{100, 50, 819, 529};

inline uint32_t BufferBytes(int width, int height) {
    return uint32_t(width) * uint32_t(height) * 3 / 2;
}

class RadeonRendererTest : public vendortest::VendorRoot {
  protected:
    void SetUp() override {
        VendorRoot::SetUp();
        Install("libradeonov.so");
    }
    void TearDown() override {
        if (renderer_ != nullptr) renderer_->Close();
        renderer_.reset();
        // Tests that change the machine's mode leave the start mode as it was.
        sim_display_set_boot_mode(1024, 768, 16);
        VendorRoot::TearDown();
    }
    // Opens, and gives the host's window as the first (only recorded) rectangle.
    void OpenRenderer() {
        renderer_ = std::make_unique<CVRLNRadeon>();
        testing::internal::CaptureStdout();
        const int opened = renderer_->Open();
        printed_ = testing::internal::GetCapturedStdout();
        ASSERT_EQ(opened, 0);
        ASSERT_EQ(renderer_->SetOutputRect(0, &kWindow, nullptr), 0);
        sim_display_fill_screen(kWindow.left, kWindow.top, 720, 480, kKey);
        sim_display_journal_clear();
    }
    int Frame(CVRLNPicture* picture) {
        renderer_->DrawPicture(picture);
        return renderer_->Flip(picture);
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
    static uint8_t* Memory(uint32_t offset) { return sim_display_memory() + offset; }
    // Video buffer n of pictures of this size, below the screen at offset.
    static std::vector<uint8_t> Buffer(int n, int width, int height, uint32_t offset = kOffset) {
        const uint32_t bytes = BufferBytes(width, height);
        const uint8_t* at = Memory(offset + uint32_t(n) * bytes);
        return std::vector<uint8_t>(at, at + bytes);
    }
    // Both buffers black: luma 16, chroma 128.
    static bool Black(const std::vector<uint8_t>& buffer) {
        const size_t luma = buffer.size() / 3 * 2;
        for (size_t i = 0; i < buffer.size(); ++i)
            if (buffer[i] != (i < luma ? 16 : 128)) return false;
        return true;
    }
    // What the converter makes of a packed frame.
    static std::vector<uint8_t> Converted(const rendertest::PackedFrame& frame, int width,
                                          int height) {
        const CVRLNPackedToPlanar reference(width, height, KernelCpu{});
        std::vector<uint8_t> out(reference.OutputBytes());
        reference.Convert(frame.Bytes().data(), out.data());
        return out;
    }
    static std::vector<std::string> Journal() { return SimDisplayJournal(); }
    static int Count(const char* prefix) { return sim_display_journal_count(prefix); }

    std::unique_ptr<CVRLNRadeon> renderer_;
    std::string printed_;
};

}  // namespace radeontest
