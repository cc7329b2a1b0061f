// Open, close, the commands, properties and the extra operations of the
// CLE266 overlay renderer.
#include "video/render/via/cle266_renderer.h"

#include <cstdio>
#include <mutex>

#include "platform/debug_log.h"
#include "video/kernels/video_processor.h"
#include "video/render/capture_bitmap.h"

namespace {

void PrintLine(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace

CVRLNCLE266::CVRLNCLE266() : tag_(kTagPacked422) {}

CVRLNCLE266::~CVRLNCLE266() {
    Close();
}

// Each command goes through the call slot of its number (slot 8 for any other).
uint32_t CVRLNCLE266::Command(uint32_t command, void* data) {
    if (!Bound()) return 1;
    decltype(&VIADriverProc) slot = calls_.driverProc8;
    switch (command) {
        case kViaStart:
            slot = calls_.driverProc0;
            break;
        case kViaStop:
            slot = calls_.driverProc1;
            break;
        case kViaCreateSurfaces:
            slot = calls_.driverProc2;
            break;
        case kViaDestroySurfaces:
            slot = calls_.driverProc3;
            break;
        case kViaLockSurfaces:
            slot = calls_.driverProc4;
            break;
        case kViaUpdateOverlay:
            slot = calls_.driverProc6;
            break;
        case kViaShowBuffer:
            slot = calls_.driverProc7;
            break;
        default:
            break;
    }
    return uint32_t(slot(command, data, nullptr));
}

// The screen through the frame-buffer seam, mapped as the frame-buffer
// renderer maps it.
bool CVRLNCLE266::OpenScreenLocked() {
    CloseScreenLocked();
    screen_ = OpenFrameBufferDevice();
    if (screen_ == nullptr || !screen_->Query(&geometry_) || geometry_.width <= 0 ||
        geometry_.height <= 0 || geometry_.lineLength <= 0) {
        screen_.reset();
        return false;
    }
    mapping_ = screen_->Map(size_t(geometry_.lineLength) * size_t(geometry_.height));
    if (mapping_ == nullptr) screen_.reset();
    return mapping_ != nullptr;
}

void CVRLNCLE266::CloseScreenLocked() {
    if (screen_ != nullptr) screen_->Unmap();
    screen_.reset();
    mapping_ = nullptr;
}

int CVRLNCLE266::Open() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    // The binder prints the library's two error lines.
    if (BindVendorCalls(&library_, ViaDriverLibrary(), &calls_) != VendorBind::kBound) return -1;
    if (!OpenScreenLocked()) {
        DebugPrint("VRLN: CLE266 has no frame buffer\n");
        return -1;
    }
    opened_ = true;
    if (InitVideoOverlay() < 0) {
        Close();
        PrintLine("Error: InitVideoOverlay");
        return -1;
    }
    tag_ = kTagPacked422;
    if (mapping_ != nullptr) {
        destination_.right = geometry_.width - 1;
        destination_.bottom = geometry_.height - 1;
    }
    PrintLine("CVRLNCLE266::Open return success");
    return 0;
}

// Releases whatever the renderer holds, and only that: commands only for an
// opened driver, the library and the mapping whenever they are held.
int CVRLNCLE266::Close() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    int result = 0;
    if (opened_) result = ReleaseSurfacesLocked() != 0 ? 1 : 0;
    processor_.reset();
    surface_.reset();
    overlay_.reset();
    surfacesCreated_ = false;
    buffersMade_ = false;
    library_.Close();
    calls_ = ViaDriverCalls{};
    CloseScreenLocked();
    opened_ = false;
    pictureWidth_ = 0;
    pictureHeight_ = 0;
    return result;
}

int CVRLNCLE266::InitVideoOverlay() {
    return 0;
}

int CVRLNCLE266::ReleaseSurfaces() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return ReleaseSurfacesLocked();
}

int CVRLNCLE266::CreateSurfaces() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return CreateSurfacesLocked();
}

int CVRLNCLE266::SetColourKeying(uint32_t key) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    colourKey_ = key;
    keying_ = true;
    return 0;
}

// Only the colour key is answered; every other id is refused as a missing
// set, as callers of this renderer have always seen it.
int32_t CVRLNCLE266::SetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                 const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet) || id != kPropColourKey)
        return kVrlnPropertySetNotFound;
    int32_t v = 0;
    const int32_t read = ReadPropertyValue(value, length, &v);
    if (read != 0) return read;
    std::lock_guard<CRendererMutex> lock(mutex_);
    colourKey_ = uint32_t(v);
    if (overlay_ != nullptr) overlay_->colourKey = colourKey_;
    return 0;
}

int32_t CVRLNCLE266::GetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                 void* value, uint32_t length, uint32_t* returned) {
    if (set == nullptr || !(*set == VideoRendererPropertySet) || id != kPropColourKey)
        return kVrlnPropertySetNotFound;
    return WritePropertyValue(value, length, returned, int32_t(ColourKey()));
}

VRLNRect CVRLNCLE266::Destination() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return destination_;
}

uint32_t CVRLNCLE266::ColourKey() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return colourKey_;
}

bool CVRLNCLE266::HasSurfaces() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return buffersMade_;
}
