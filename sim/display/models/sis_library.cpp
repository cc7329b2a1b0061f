// The SiS video window on the simulated controller.
#include "sim/display/models/sis_library.h"

namespace simdisplay {
namespace {

constexpr int kOk = 0;
constexpr int kError = 1;
constexpr uint32_t kTagYv12 = 0x32315659;
constexpr int kMaxSide = 2048;

Controller& Hw() {
    return Controller::Get();
}

}  // namespace

SisLibrary& SisLibrary::For(const std::string& library) {
    return StateOf<SisLibrary>(library);
}

void SisLibrary::Unloading() {
    Hw().Memory().ReleaseOwnedBy(library_);
}

int SisLibrary::Init() {
    initialised_ = true;
    return kOk;
}

int SisLibrary::Uninit() {
    if (!initialised_) return kError;
    if (video_) ReleaseVideo();
    initialised_ = false;
    return kOk;
}

int SisLibrary::CreateVideo(int width, int height, SiSVideoRecord* record) {
    if (!initialised_ || video_ || record == nullptr) return kError;
    if (width < 2 || height < 2 || width > kMaxSide || height > kMaxSide || (width | height) & 1)
        return kError;
    SiSVideoRecord r{};
    r.width = uint32_t(width);
    r.height = uint32_t(height);
    r.format = kTagYv12;
    r.pitch = (uint32_t(width) + 15) & ~15u;
    r.chromaPitch = r.pitch / 2;
    r.lumaLength = r.pitch * uint32_t(height);
    r.chromaLength = r.chromaPitch * uint32_t(height / 2);
    r.vOffset = r.lumaLength;
    r.uOffset = r.lumaLength + r.chromaLength;
    r.bufferBytes = r.lumaLength + 2 * r.chromaLength;
    r.bufferCount = 4;
    Block shape;
    shape.width = width;
    shape.height = height;
    shape.pitch = int(r.pitch);
    shape.bytes = r.bufferBytes;
    shape.owner = library_;
    const uint32_t floor = uint32_t(Hw().Mode().ScreenBytes());
    for (int i = 0; i < 4; ++i) {
        buffer_[i] = Hw().Memory().Allocate(floor, shape);
        if (buffer_[i] == 0) {
            for (int k = 0; k < i; ++k) Hw().Memory().Release(buffer_[k]);
            return kError;
        }
        r.buffer[i] = Hw().Memory().Address() + buffer_[i];
    }
    record_ = r;
    *record = r;
    video_ = true;
    window_ = false;
    enabled_ = false;
    shown_ = 0;
    source_ = Area{};
    return kOk;
}

int SisLibrary::ReleaseVideo() {
    if (!video_) return kError;
    const uint32_t shown = Hw().Overlay().source.offset;
    for (uint32_t b : buffer_)
        if (shown == b) Hw().Overlay().enabled = false;
    for (uint32_t& b : buffer_) {
        Hw().Memory().Release(b);
        b = 0;
    }
    video_ = false;
    window_ = false;
    enabled_ = false;
    return kOk;
}

int SisLibrary::SetWindow(int left, int top, int right, int bottom, uint32_t colourKey) {
    if (!video_ || right < left || bottom < top) return kError;
    destination_ = Area{left, top, right - left + 1, bottom - top + 1};
    colourKey_ = colourKey;
    window_ = true;
    Apply();
    return kOk;
}

int SisLibrary::Enable(int on) {
    if (!video_) return kError;
    enabled_ = on != 0;
    Apply();
    return kOk;
}

int SisLibrary::Flip(int index) {
    if (!video_ || index < 0 || index > 3) return kError;
    shown_ = index;
    Apply();
    return kOk;
}

int SisLibrary::SetSource(int x, int y, int width, int height) {
    if (!video_ || x < 0 || y < 0 || width < 0 || height < 0) return kError;
    source_ = Area{x, y, width, height};
    Apply();
    return kOk;
}

int SisLibrary::SetBrightness(uint8_t level) {
    brightness_ = level;
    Apply();
    return kOk;
}

int SisLibrary::SetContrast(uint8_t level) {
    contrast_ = level;
    Apply();
    return kOk;
}

void SisLibrary::Apply() {
    if (!video_) return;
    OverlayPlane& o = Hw().Overlay();
    const uint32_t base = buffer_[shown_];
    o.source = OverlaySource{Layout::kPlanar420,     base,
                             int(record_.width),     int(record_.height),
                             int(record_.pitch),     base + record_.vOffset,
                             base + record_.uOffset, int(record_.chromaPitch)};
    o.cropped = source_.width > 0 && source_.height > 0;
    o.crop = source_;
    o.destination = destination_;
    o.backdrop = false;
    o.colourKey = colourKey_;
    o.keying = true;
    o.controls = ColourControls{};
    o.controls.brightness = brightness_ - 128;
    o.controls.contrast = contrast_ * 2;
    o.enabled = enabled_ && window_;
}

}  // namespace simdisplay
