// Start, stop, properties and the frame callback of direct play.
#include "video/directplay/direct_play_session.h"

#include <mutex>

#include "video/directplay/property_keys.h"
#include "video/render/renderer_choice.h"
#include "video/render/yuv_repack.h"

namespace {

constexpr int kTunerClient = ZMP_TUNER_CLIENT;
constexpr int32_t kMaxSide = 4096;

// The session frames may reach, and the gate a frame holds while drawn.
std::mutex g_frameGate;
CDirectPlaySession* g_frameTarget = nullptr;

VRLNRect TargetOf(const ZaqRect* r) {
    if (r == nullptr) return VRLNRect{0, 0, 0, 0};
    return VRLNRect{r->left, r->top, r->left + (r->right - r->left), r->top + (r->bottom - r->top)};
}

constexpr VRLNRect kWholeFrame = {0, 0, 10000, 10000};

}  // namespace

void CDirectPlaySession::RendererRelease::operator()(CVRLNRenderer* renderer) const {
    ReleaseRenderer(renderer);
}

CDirectPlaySession::CDirectPlaySession(const TunerFunctions& tuner)
    : tuner_(tuner), driverId_(tuner.getDriverId != nullptr ? tuner.getDriverId() : 0) {
    if (driverId_ != 0) picture_ = std::make_unique<CVRLNPicture>();
}

CDirectPlaySession::~CDirectPlaySession() {
    Stop();
}

bool CDirectPlaySession::PreparePicture(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    width_ = width;
    height_ = height;
    frameBytes_ = width * height * 2;
    planarBytes_ = PlanarFrameBytes(width, height);
    // The picture owns the frame buffer (at least the planar size) and frees it.
    if (!picture_->Resize(width, height, true)) return false;
    CVRLNPicture& p = *picture_;
    p.plane[1] = p.plane[0] + size_t(width) * size_t(height);
    p.plane[2] = nullptr;
    p.planeSize = uint32_t(width) * uint32_t(height);
    p.width = width;
    p.height = height;
    p.displayWidth = width;
    p.displayHeight = height;
    p.outputPitch = width * 2;
    p.packed = 1;
    return true;
}

int CDirectPlaySession::SetOutput(void* window, const ZaqRect* target) {
    const VRLNRect destination = TargetOf(target);
    return renderer_->SetOutputRect(uintptr_t(window), &destination, &kWholeFrame);
}

int CDirectPlaySession::Start(void* window, const ZaqRect* target, int width, int height) {
    if (driverId_ != 0) {
        if (!PreparePicture(width, height)) return -1;
        CVRLNRenderer* chosen = nullptr;
        if (ChooseRenderer(&chosen) != 0) return -1;
        renderer_.reset(chosen);
        const int32_t four = 4;
        renderer_->SetProperty(&VideoRendererPropertySet, kPropReserved, nullptr, 0, &four, 4);
        const int result = SetOutput(window, target);
        if (result < 0) return result;
    }
    {
        std::lock_guard<std::mutex> gate(g_frameGate);
        g_frameTarget = this;
    }
    if (tuner_.installCallback != nullptr) tuner_.installCallback(OnTunerFrame, this, kTunerClient);
    callbackInstalled_ = true;
    return 0;
}

void CDirectPlaySession::Stop() {
    if (tuner_.uninstallCallback != nullptr && callbackInstalled_)
        tuner_.uninstallCallback(kTunerClient);
    callbackInstalled_ = false;
    {
        // Waits for a frame being drawn; later frames find no target.
        std::lock_guard<std::mutex> gate(g_frameGate);
        if (g_frameTarget == this) g_frameTarget = nullptr;
    }
    renderer_.reset();
    picture_.reset();
}

int CDirectPlaySession::SetProperty(int key, int value) {
    if (driverId_ == 0) return kDirectPlayNoInstance;
    const PropertyKey* row = FindPropertyKey(key);
    if (row == nullptr || !row->set) return kDirectPlayBadKey;
    if (renderer_ == nullptr) return kDirectPlayNoRenderer;
    return renderer_->SetProperty(&VideoRendererPropertySet, row->propertyId, nullptr, 0, &value,
                                  4);
}

int CDirectPlaySession::GetProperty(int key, int* value) {
    if (driverId_ == 0) return kDirectPlayNoInstance;
    const PropertyKey* row = FindPropertyKey(key);
    if (row == nullptr || !row->get) return kDirectPlayBadKey;
    if (renderer_ == nullptr) return kDirectPlayNoRenderer;
    return renderer_->GetProperty(&VideoRendererPropertySet, row->propertyId, nullptr, 0, value, 4,
                                  nullptr);
}

int CDirectPlaySession::Move(void* window, const ZaqRect* target) {
    if (renderer_ != nullptr) SetOutput(window, target);
    return 0;
}

int CDirectPlaySession::Refresh(int a, int b) {
    if (renderer_ != nullptr) renderer_->Refresh(a, b);
    return 0;
}

int CDirectPlaySession::Capture(int bitCount, uint8_t* bitmap) {
    if (renderer_ == nullptr || picture_ == nullptr) return kDirectPlayNoRenderer;
    return renderer_->CapturePicture(picture_.get(), bitCount, bitmap);
}

void CDirectPlaySession::OnTunerFrame(void* context, unsigned char* frame) {
    std::lock_guard<std::mutex> gate(g_frameGate);
    if (context == nullptr || context != g_frameTarget) return;
    static_cast<CDirectPlaySession*>(context)->DrawFrame(frame);
}

void CDirectPlaySession::DrawFrame(unsigned char* frame) {
    if (driverId_ == 0 || picture_ == nullptr || renderer_ == nullptr) return;
    CVRLNPicture& p = *picture_;
    if (p.packed) {
        if (frame == nullptr) return;
        // The frame is shown where it lies: only the plane pointers change.
        uint8_t* const plane0 = p.plane[0];
        uint8_t* const plane1 = p.plane[1];
        p.plane[0] = frame;
        renderer_->DrawPicture(&p);
        renderer_->Flip(&p);
        p.plane[0] = plane0;
        p.plane[1] = plane1;
        return;
    }
    if (frame == nullptr) return;
    RepackPackedToPlanar(frame, width_, height_, p.plane[0], planarBytes_);
    renderer_->DrawPicture(&p);
    renderer_->Flip(&p);
}
