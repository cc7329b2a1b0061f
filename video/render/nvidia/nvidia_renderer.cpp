// Open, close and the library binding of the NVIDIA renderer.
#include "video/render/nvidia/nvidia_renderer.h"

#include <mutex>

#include "platform/settings.h"
#include "video/kernels/video_processor.h"
#include "video/render/capture_bitmap.h"
#include "video/render/scaler/scaler.h"

namespace {

constexpr unsigned kRefresh = 60;

}  // namespace

CVRLNNvidia::CVRLNNvidia()
    : tag_(kTagPlanar420),
      video_(InitialVideoConfiguration()),
      colour_(InitialColourConfiguration()) {}

CVRLNNvidia::~CVRLNNvidia() {
    Close();
}

int CVRLNNvidia::Open() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (BindNvidiaCalls(&library_, &calls_) != VendorBind::kBound) {
        library_.Close();
        calls_ = NvidiaVideoCalls{};
        return -1;
    }
    loaded_ = true;
    calls_.getVersion(&libraryVersion_, &driverVersion_);
    output_ = NvidiaOutputFor(SettingGetInt("SolvaneON_RESOLUTION", 0));
    destination_ = VRLNRect{0, 0, int32_t(output_.width) - 1, int32_t(output_.height) - 1};
    if (calls_.init(kNvOutputMonitor, kNvMonitorMultisync, output_.width, output_.height, kRefresh,
                    output_.wide ? kNvAspect16x9 : kNvAspect4x3) < 0)
        return -1;
    tag_ = kTagPacked422;
    pictureWidth_ = 0;
    pictureHeight_ = 0;
    video_ = InitialVideoConfiguration();
    colour_ = InitialColourConfiguration();
    return 0;
}

// The last picture goes black before video ends; there is no black frame to
// send while no buffer exists (no picture yet, or a failed start).
void CVRLNNvidia::SendBlackFrameLocked() {
    std::vector<uint8_t>& buffer = zoomWidth_ > 0 ? zoom_ : frame_;
    const size_t bytes = zoomWidth_ > 0 ? size_t(zoomWidth_) * size_t(zoomHeight_) * 2
                                        : size_t(pictureWidth_) * size_t(pictureHeight_) * 2;
    if (buffer.empty() || bytes == 0 || bytes > buffer.size()) return;
    FillPackedBlack(buffer.data(), bytes);
    calls_.videoFrame(buffer.data(), kNvTopFieldFirst);
}

int CVRLNNvidia::Close() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (Bound()) {
        SendBlackFrameLocked();
        calls_.videoEnd();
    }
    if (loaded_ && Bound()) calls_.exitDll();
    loaded_ = false;
    library_.Close();
    calls_ = NvidiaVideoCalls{};
    frame_ = std::vector<uint8_t>();
    processor_.reset();
    zoom_ = std::vector<uint8_t>();
    zoomWidth_ = 0;
    zoomHeight_ = 0;
    scaler_.reset();
    pictureWidth_ = 0;
    pictureHeight_ = 0;
    return 0;
}

NvidiaOutput CVRLNNvidia::Output() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return output_;
}

VRLNRect CVRLNNvidia::Destination() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return destination_;
}

NvConfVideo CVRLNNvidia::VideoConfiguration() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return video_;
}

NvConfColor CVRLNNvidia::ColourConfiguration() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return colour_;
}

int CVRLNNvidia::ZoomWidth() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return zoomWidth_;
}

int CVRLNNvidia::ZoomHeight() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return zoomHeight_;
}

bool CVRLNNvidia::Loaded() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return loaded_;
}
