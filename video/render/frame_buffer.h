// CVRLNFrameBuffer: the renderer of last resort. It converts each picture in
// software to the screen's RGB format, scaled to the whole screen, into a
// shadow buffer in system memory, composes the shared overlay record's items
// over it, and copies it to the mapped screen with one block copy. The screen
// comes from the device seam of fb_device.h.
//
// Threads: Flip and DrawPicture run on the capture thread; Open, Close,
// SetOutputRect (which only raises a flag), ClearPicture, CapturePicture and
// the properties on the caller's thread. A mutex keeps a capture or a clear
// from meeting a frame half drawn.
//
// Buffers are sized by the screen's line length and by what the converter
// writes (a depth treated as 24 bits gets a 24-bit shadow), and no copy ever
// goes past the mapping.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "video/render/block_copy.h"
#include "video/render/fb_device.h"
#include "video/render/overlay_record.h"
#include "video/render/renderer.h"

class CVRLNProcessorRGB;

// SetProperty id answered by this renderer: high 16 bits width, low 16 bits height.
constexpr uint32_t kPropFrameBufferSize = 21;

class CVRLNFrameBuffer : public CVRLNRenderer {
  public:
    CVRLNFrameBuffer();
    ~CVRLNFrameBuffer() override;

    int GetKind() override { return 1; }
    int Open() override;
    int Close() override;
    int SetOutputRect(uintptr_t window, const VRLNRect* destination,
                      const VRLNRect* source) override;
    int ClearPicture() override;
    int Refresh(int32_t, int32_t) override { return 0; }
    int DrawPicture(CVRLNPicture* picture) override;
    int PresentPicture(CVRLNPicture*) override { return 0; }
    int Flip(CVRLNPicture* picture) override;
    int CapturePicture(CVRLNPicture* picture, int bitCount, uint8_t* bitmap) override;
    int32_t SetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, const void* value, uint32_t length) override;

    // State after Open, for the owner and tests.
    int ScreenWidth() const { return geometry_.width; }
    int ScreenHeight() const { return geometry_.height; }
    int BitsPerPixel() const { return depth_; }
    int LineLength() const { return geometry_.lineLength; }
    uint32_t OutputTag() const { return tag_; }
    size_t MappedBytes() const { return mappedBytes_; }
    size_t ShadowBytes() const { return shadow_.size(); }
    int ShadowPitch() const { return shadowPitch_; }
    const OverlayRecord* Overlay() const { return overlay_.Record(); }
    uint32_t ConfiguredSize() const { return configuredSize_; }
    const CVRLNProcessorRGB* Converter() const { return converter_.get(); }

  private:
    int OpenLocked();
    bool OpenScreen();
    int DrawPictureLocked(CVRLNPicture* picture);
    bool CreateConverter();
    int ConvertLocked(CVRLNPicture* picture, uint8_t* target);
    bool ConvertsStraightLocked() const;
    uint8_t* StraightTargetLocked();
    void ComposeLocked();
    void CopyToScreenLocked(const uint8_t* picture);
    // Hooks a capture calls before and after reading the picture; this
    // renderer has nothing to prepare.
    int PrepareCapture(CVRLNPicture*) { return 0; }
    int FinishCapture(int) { return 0; }

    std::unique_ptr<CFbDevice> device_;
    FbGeometry geometry_;
    int depth_ = 0;  // what the converter writes: 15, 16, 24 or 32
    uint8_t* screen_ = nullptr;
    size_t mappedBytes_ = 0;
    std::vector<uint8_t> shadow_;
    int shadowPitch_ = 0;
    const uint8_t* shown_ = nullptr;  // the buffer the last frame was made in
    std::unique_ptr<CVRLNProcessorRGB> converter_;
    uint32_t tag_ = 0;
    CVRLNBlockCopy copier_;
    std::atomic<bool> geometryChanged_{false};
    COverlayAttachment overlay_;
    std::atomic<uint32_t> configuredSize_{0};
    std::mutex frameMutex_;
};
