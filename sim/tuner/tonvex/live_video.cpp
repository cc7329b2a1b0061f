// Live video of the simulated card: starting and stopping libmirova's direct play, the
// capture thread that renders and delivers one packed 4:2:2 frame per frame period to the
// installed frame callbacks, the manual clock for tests, and frame capture.
#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "sim/tuner/tonvex/card.h"

namespace tonvex {
namespace {

// libmirova's direct-play functions: global first (a test program or a host that loaded
// it globally), then a libmirova already loaded privately by a plug-in.
void* FindDirectPlaySymbol(const char* name) {
    if (void* symbol = dlsym(RTLD_DEFAULT, name)) return symbol;
    void* library = dlopen("libmirova.so", RTLD_NOW | RTLD_NOLOAD);
    if (!library) return nullptr;
    void* symbol = dlsym(library, name);
    dlclose(library);  // only drops the reference taken by RTLD_NOLOAD
    return symbol;
}

}  // namespace

Picture Card::PictureLocked() const {
    Picture picture;
    const int source = settings_.at(Setting::kVideoSource);
    if (source != 0) {
        picture.kind = Picture::kExternalInput;
        picture.number = source;
        return picture;
    }
    const TvSlot* slot = channels_.Slot(slot_);
    if (!slot || !slot->hasStation) return picture;
    const int distance = selectOffset_ + fineOffset_ - slot->bestOffset;
    if (std::abs(distance) > simtuner::kTvCaptureRangeKHz) return picture;
    picture.kind = Picture::kStation;
    picture.pattern = slot->pattern;
    picture.number = slot_ + 1;
    picture.noiseAmplitude = NoiseForDistance(distance);
    return picture;
}

FrameFormat Card::CurrentFormatLocked() const {
    return live_ ? liveFormat_ : FormatForVideoType(settings_.at(Setting::kVideoType));
}

int Card::DirectPlayStart(int handle, void* window, const ZaqRect* rect) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!OwnsLocked(handle) || !rect || live_) return -1;
        live_ = true;
        directPlayCalled_ = false;
        directPlayResult_ = 0;
        // The radio has no picture: nothing to show and no frames.
        if (mode_ == ZAQ_MODE_FM) return 0;
        // The frame size is fixed for the whole run: libmirova sizes its buffers once.
        liveVideoType_ = settings_.at(Setting::kVideoType);
        liveFormat_ = FormatForVideoType(liveVideoType_);
    }
    // Called without the lock: libmirova asks back for the size, driver and callback.
    auto directPlay = reinterpret_cast<ZmpDirectPlayFn>(FindDirectPlaySymbol("ZMP_DIRECTPLAY"));
    ZaqRect target = *rect;
    const int result = directPlay ? directPlay(window, &target) : 0;
    std::lock_guard<std::mutex> lock(mutex_);
    directPlayCalled_ = directPlay != nullptr;
    directPlayResult_ = result;
    if (live_ && !manualClock_) StartCaptureThreadLocked();
    return 0;
}

int Card::DirectPlayStop(int handle) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!OwnsLocked(handle) || !live_) return -1;
    }
    StopLiveVideo(true);
    return 0;
}

void Card::StopLiveVideo(bool callStopDirectPlay) {
    std::thread capture;
    bool stopDirectPlay;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!live_) return;
        live_ = false;
        capture = TakeCaptureThreadLocked();
        stopDirectPlay = directPlayCalled_ && callStopDirectPlay;
        directPlayCalled_ = false;
    }
    if (capture.joinable()) {
        if (capture.get_id() == std::this_thread::get_id())
            capture.detach();  // stopped from a frame callback: the loop ends by itself
        else
            capture.join();
    }
    if (!stopDirectPlay) return;
    auto stop = reinterpret_cast<ZmpStopDirectPlayFn>(FindDirectPlaySymbol("ZMP_STOPDIRECTPLAY"));
    if (stop) stop();
}

void Card::StartCaptureThreadLocked() {
    if (captureThread_.joinable()) return;
    captureStop_ = false;
    captureThread_ = std::thread(&Card::CaptureLoop, this);
}

std::thread Card::TakeCaptureThreadLocked() {
    captureStop_ = true;
    captureWake_.notify_all();
    return std::move(captureThread_);
}

void Card::CaptureLoop() {
    using Clock = std::chrono::steady_clock;
    FrameRenderer renderer;
    std::vector<uint8_t> buffer;
    Clock::duration period;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        period = std::chrono::microseconds(1000000 / liveFormat_.framesPerSecond);
    }
    auto next = Clock::now();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            captureWake_.wait_until(lock, next, [this] { return captureStop_; });
            if (captureStop_) return;
        }
        DeliverOneFrame(&renderer, &buffer);
        next += period;
        const auto now = Clock::now();
        if (now > next + period) next = now;  // fell behind: no burst of late frames
    }
}

bool Card::DeliverOneFrame(FrameRenderer* renderer, std::vector<uint8_t>* buffer) {
    Picture picture;
    FrameFormat format;
    uint64_t index;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!live_ || mode_ != ZAQ_MODE_TV) return false;
        picture = PictureLocked();
        format = liveFormat_;
        index = frameIndex_++;
    }
    std::lock_guard<std::mutex> clientLock(clientMutex_);
    bool any = false;
    for (const auto& client : clients_) any = any || client.fn;
    if (!any) return false;
    buffer->resize(format.Bytes());
    renderer->Render(picture, format, index, buffer->data());
    for (const auto& client : clients_)
        if (client.fn) client.fn(client.context, buffer->data());
    framesDelivered_.fetch_add(1);
    {
        std::lock_guard<std::mutex> lock(mutex_);  // pairs with WaitFrames' predicate
    }
    frameDelivered_.notify_all();
    return true;
}

int Card::FrameCapture(int handle, void* buffer, int bits) {
    Picture picture;
    FrameFormat format;
    uint64_t index;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!OwnsModeLocked(handle, ZAQ_MODE_TV) || bits != 24) return -1;
        format = CurrentFormatLocked();
        if (!buffer) return format.width * format.height * 3;
        picture = PictureLocked();
        index = frameIndex_;
    }
    std::vector<uint8_t> frame(format.Bytes());
    FrameRenderer renderer;
    renderer.Render(picture, format, index, frame.data());
    YuyvToBgr(frame.data(), format.width, format.height, static_cast<uint8_t*>(buffer));
    return 0;
}

int Card::DriverId() {
    std::lock_guard<std::mutex> lock(mutex_);
    return mode_ >= 0 ? SIM_TUNER_DRIVER_ID : 0;
}

int Card::FormatSize(int* format, int* width, int* height) {
    std::lock_guard<std::mutex> lock(mutex_);
    const FrameFormat f = CurrentFormatLocked();
    if (format) *format = live_ ? liveVideoType_ : settings_.at(Setting::kVideoType);
    if (width) *width = f.width;
    if (height) *height = f.height;
    return 0;
}

int Card::InstallFrameClient(ZmpTunerFrameCallback fn, void* context, int client) {
    if (client < 0 || client >= kMaxClients) return -1;
    std::lock_guard<std::mutex> lock(clientMutex_);
    clients_[client] = {fn, context};
    return 0;
}

int Card::UninstallFrameClient(int client) {
    if (client < 0 || client >= kMaxClients) return -1;
    // Waits for a frame callback in progress: none runs once this returns.
    std::lock_guard<std::mutex> lock(clientMutex_);
    clients_[client] = {};
    return 0;
}

void Card::SetManualClock(bool on) {
    std::thread capture;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (manualClock_ == on) return;
        manualClock_ = on;
        if (!live_ || mode_ != ZAQ_MODE_TV) return;
        if (!on) {
            StartCaptureThreadLocked();
            return;
        }
        capture = TakeCaptureThreadLocked();
    }
    if (capture.joinable()) capture.join();
}

int Card::DeliverFrames(int count) {
    std::lock_guard<std::mutex> lock(deliverMutex_);
    std::vector<uint8_t> buffer;
    int delivered = 0;
    for (int i = 0; i < count; ++i)
        if (DeliverOneFrame(&manualRenderer_, &buffer)) ++delivered;
    return delivered;
}

int Card::WaitFrames(uint64_t count, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    const bool reached = frameDelivered_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                                  [&] { return framesDelivered_ >= count; });
    return reached ? 0 : -1;
}

int Card::RenderCurrent(unsigned char* buffer, int size) {
    Picture picture;
    FrameFormat format;
    uint64_t index;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        picture = PictureLocked();
        format = CurrentFormatLocked();
        index = frameIndex_;
    }
    if (buffer && size >= format.Bytes()) {
        FrameRenderer renderer;
        renderer.Render(picture, format, index, buffer);
    }
    return format.Bytes();
}

}  // namespace tonvex
