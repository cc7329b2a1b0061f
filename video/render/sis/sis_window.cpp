// The SiS video window: made with its four buffers for one picture size,
// released, and cleared to black.
#include <cstring>
#include <mutex>

#include "interfaces/vendor/video_memory.h"
#include "video/kernels/library_state.h"
#include "video/kernels/video_processor.h"
#include "video/render/sis/sis_renderer.h"

// A record is kept only once the window is whole; each failure gives back
// what this attempt made, and nothing else.
int CVRLNSiS::CreateWindowLocked(int width, int height) {
    ReleaseWindowLocked();
    index_ = 0;
    if (!Bound() || processor_ == nullptr) return -1;
    auto record = std::make_unique<SiSVideoRecord>();
    if (calls_.sisInit() != 0) return -1;
    windowWidth_ = width;
    SetLastChangedFrameSize(width, height);
    if (calls_.createSisVideo(width, height, record.get()) != 0) {
        calls_.sisUninit();
        ReportError("SiS video resource initialization failed!");
        return -1;
    }
    if (calls_.setVideoWindow(0, 0, width - 1, height - 1, colourKey_) != 0) {
        calls_.releaseSisVideo();
        calls_.sisUninit();
        ReportError("SiS video window create failed!");
        return -1;
    }
    record_ = std::move(record);
    // A new window shows the whole picture until a source window is sent.
    sentSourceWidth_ = 0;
    sentPanOffset_ = 0;
    const int32_t rect[4] = {0, 0, width, height};
    processor_->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    ClearPictureLocked();
    calls_.videoEnable(1);
    return 0;
}

int CVRLNSiS::ReleaseWindowLocked() {
    if (record_ == nullptr) return -1;
    calls_.videoEnable(0);
    calls_.releaseSisVideo();
    calls_.sisUninit();
    record_.reset();
    return 0;
}

int CVRLNSiS::ClearPicture() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    ClearPictureLocked();
    return 0;
}

// Black in every buffer: luma 0, both chroma planes 128.
void CVRLNSiS::ClearPictureLocked() {
    if (record_ == nullptr) return;
    for (uint32_t address : record_->buffer) {
        uint8_t* buffer = VideoMemoryPointer(address);
        std::memset(buffer, 0, record_->lumaLength);
        std::memset(buffer + record_->uOffset, 128, record_->chromaLength);
        std::memset(buffer + record_->vOffset, 128, record_->chromaLength);
    }
}
