// The Radeon overlay on the simulated controller.
#include "sim/display/models/radeon_library.h"

#include <cstdlib>

namespace simdisplay {
namespace {

constexpr int kMaxSide = 2048;
constexpr int kRefresh = 60;
constexpr uint32_t kRadeon7500 = 0x5157;

Controller& Hw() {
    return Controller::Get();
}

bool TransformValue(int32_t v) {
    return v >= -100 && v <= 100;
}

}  // namespace

RadeonLibrary& RadeonLibrary::For(const std::string& library) {
    return StateOf<RadeonLibrary>(library);
}

int RadeonLibrary::Init() {
    initialised_ = true;
    return 1;
}

int RadeonLibrary::Close() {
    if (!initialised_) return 0;
    if (enabled_) Hw().Overlay().enabled = false;
    enabled_ = false;
    source_ = false;
    initialised_ = false;
    return 1;
}

void RadeonLibrary::Describe(RadeonMode* mode) const {
    const DisplayMode& m = Hw().Mode();
    *mode = RadeonMode{m.width, m.height, m.bits, kRefresh, m.LineLength(), m.number};
}

int RadeonLibrary::GetMode(RadeonMode* mode) {
    if (!initialised_ || mode == nullptr) return 0;
    Describe(mode);
    return 1;
}

int RadeonLibrary::SetMode(int flags, RadeonMode* mode) {
    if (!initialised_ || mode == nullptr || flags != 0) return 0;
    const DisplayMode* wanted = FindMode(mode->width, mode->height, mode->bitsPerPixel);
    if (wanted == nullptr || !Hw().SetMode(*wanted)) return 0;
    Describe(mode);
    return 1;
}

int RadeonLibrary::RestoreMode() {
    if (!initialised_ || !Hw().SetMode(Hw().BootMode())) return 0;
    return 1;
}

int RadeonLibrary::SetTransform(const RadeonTransform* t) {
    if (!initialised_ || t == nullptr) return 0;
    if (!TransformValue(t->brightness) || !TransformValue(t->contrast) ||
        !TransformValue(t->saturation) || !TransformValue(t->hue))
        return 0;
    transform_ = *t;
    Apply();
    return 1;
}

int RadeonLibrary::Enable(bool on) {
    if (!initialised_ || (on && !source_)) return 0;
    enabled_ = on;
    if (on)
        Apply();
    else
        Hw().Overlay().enabled = false;
    return 1;
}

int RadeonLibrary::SetColourKey(int mode, uint32_t key) {
    if (!initialised_ || (mode != 0 && mode != 1)) return 0;
    Hw().Overlay().colourKey = key;
    if (mode == 0) Hw().Overlay().keying = true;
    return 1;
}

int RadeonLibrary::SolidFill(int left, int top, int right, int bottom, uint32_t colour) {
    if (!initialised_ || right < left || bottom < top) return 0;
    return Hw().Fill(0, left, top, right - left + 1, bottom - top + 1, colour) ? 1 : 0;
}

int RadeonLibrary::SetSource(uint32_t offset, int width, int height, int format, int* pitch) {
    if (!initialised_ || pitch == nullptr || width < 2 || height < 2 || width > kMaxSide ||
        height > kMaxSide)
        return 0;
    int p = 0;
    uint32_t bytes = 0;
    if (format == kRadeonFormatYV12) {
        if ((width | height) & 1) return 0;
        p = width;
        bytes = uint32_t(p) * uint32_t(height) * 3 / 2;
    } else if (format == kRadeonFormatYUY2) {
        p = width * 2;
        bytes = uint32_t(p) * uint32_t(height);
    } else {
        return 0;
    }
    if (Hw().Memory().At(offset, size_t(bytes) * 2) == nullptr) return 0;
    source_ = true;
    offset_ = offset;
    width_ = width;
    height_ = height;
    format_ = format;
    pitch_ = p;
    bufferBytes_ = bytes;
    shown_ = 0;
    *pitch = p;
    if (enabled_) Apply();
    return 1;
}

int RadeonLibrary::SetDestination(int left, int top, int width, int height) {
    if (!initialised_ || width <= 0 || height <= 0) return 0;
    destination_ = Area{left, top, width, height};
    if (enabled_) Apply();
    return 1;
}

int RadeonLibrary::Flip() {
    if (!initialised_ || !source_) return 0;
    shown_ ^= 1;
    if (enabled_) Apply();
    return 1;
}

uint8_t* RadeonLibrary::FrameBuffer() {
    return initialised_ ? Hw().Memory().Base() : nullptr;
}

int RadeonLibrary::EnableDisplay(int displays, int on) {
    if (!initialised_ || displays <= 0 || displays > 7) return 0;
    Controller& c = Hw();
    if (on != 0) {
        if ((displays & kRadeonDisplayTv) && c.tvConnector == 0) return 0;
        c.displays |= displays;
    } else {
        c.displays &= ~displays;
    }
    c.tvOutput = (c.displays & kRadeonDisplayTv) != 0;
    if (!c.tvOutput) c.colourBars = false;
    return 1;
}

int RadeonLibrary::QueryCardInfo(RadeonCardInfo* info) {
    if (!initialised_ || info == nullptr) return 0;
    *info = RadeonCardInfo{0x1002, kRadeon7500, Hw().Memory().kBytes, Hw().Memory().Address()};
    return 1;
}

void RadeonLibrary::Apply() {
    OverlayPlane& o = Hw().Overlay();
    const uint32_t base = offset_ + uint32_t(shown_) * bufferBytes_;
    if (format_ == kRadeonFormatYV12) {
        const uint32_t luma = uint32_t(pitch_) * uint32_t(height_);
        o.source =
            OverlaySource{Layout::kPlanar420,     base,      width_, height_, pitch_, base + luma,
                          base + luma + luma / 4, pitch_ / 2};
    } else {
        o.source = OverlaySource{Layout::kPacked422, base, width_, height_, pitch_};
    }
    o.destination = destination_;
    o.cropped = false;
    o.backdrop = false;
    o.controls = ColourControls{};
    o.controls.brightness = transform_.brightness * 128 / 100;
    o.controls.contrast = 256 + transform_.contrast * 256 / 100;
    o.controls.saturation = 256 + transform_.saturation * 256 / 100;
    o.controls.hue = transform_.hue * 180 / 100;
    o.enabled = enabled_;
}

}  // namespace simdisplay
