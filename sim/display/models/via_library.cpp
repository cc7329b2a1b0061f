// The commands of VIADriverProc on the simulated controller.
#include "sim/display/models/via_library.h"

namespace simdisplay {
namespace {

constexpr int kOk = 0;
constexpr int kError = 1;
constexpr uint32_t kTagYuy2 = 0x32595559;
constexpr uint32_t kTagYv12 = 0x32315659;
constexpr uint32_t kMaxSide = 2048;

Controller& Hw() {
    return Controller::Get();
}

}  // namespace

ViaLibrary& ViaLibrary::For(const std::string& library) {
    return StateOf<ViaLibrary>(library);
}

void ViaLibrary::Unloading() {
    Hw().Memory().ReleaseOwnedBy(library_);
}

int ViaLibrary::Command(uint32_t command, void* data) {
    switch (command) {
        case kViaStart:
            return Start();
        case kViaStop:
            return Stop();
        case kViaCreateSurfaces:
            return CreateSurfaces(static_cast<ViaSurfaceRecord*>(data));
        case kViaDestroySurfaces:
            return data != nullptr ? DestroySurfaces() : kError;
        case kViaLockSurfaces:
            return LockSurfaces(static_cast<ViaSurfaceRecord*>(data));
        case kViaUpdateOverlay:
            return UpdateOverlay(static_cast<const ViaOverlayRecord*>(data));
        case kViaShowBuffer:
            return ShowBuffer(static_cast<const uint32_t*>(data));
        default:
            return kError;
    }
}

int ViaLibrary::Start() {
    started_ = true;
    return kOk;
}

int ViaLibrary::Stop() {
    if (surfaces_) DestroySurfaces();
    started_ = false;
    return kOk;
}

int ViaLibrary::CreateSurfaces(ViaSurfaceRecord* record) {
    if (record == nullptr || !started_ || surfaces_ || record->kind != 1) return kError;
    if (record->width == 0 || record->height == 0 || record->width > kMaxSide ||
        record->height > kMaxSide)
        return kError;
    const bool planar = record->format == kTagYv12;
    if (!planar && record->format != kTagYuy2) return kError;
    Block shape;
    shape.width = int(record->width);
    shape.height = int(record->height);
    shape.pitch = planar ? int(record->width) : int(record->width) * 2;
    shape.bytes = planar ? uint32_t(shape.pitch) * record->height * 3 / 2
                         : uint32_t(shape.pitch) * record->height;
    shape.owner = library_;
    const uint32_t floor = uint32_t(Hw().Mode().ScreenBytes());
    for (int i = 0; i < 2; ++i) {
        buffer_[i] = Hw().Memory().Allocate(floor, shape);
        if (buffer_[i] == 0) {
            if (i == 1) Hw().Memory().Release(buffer_[0]);
            buffer_[0] = buffer_[1] = 0;
            return kError;
        }
    }
    surfaces_ = true;
    width_ = shape.width;
    height_ = shape.height;
    pitch_ = shape.pitch;
    format_ = record->format;
    shown_ = 0;
    Describe(record);
    return kOk;
}

int ViaLibrary::DestroySurfaces() {
    if (!surfaces_) return kError;
    OverlayPlane& o = Hw().Overlay();
    if (o.source.offset == buffer_[0] || o.source.offset == buffer_[1]) o.enabled = false;
    Hw().Memory().Release(buffer_[0]);
    Hw().Memory().Release(buffer_[1]);
    buffer_[0] = buffer_[1] = 0;
    surfaces_ = false;
    return kOk;
}

int ViaLibrary::LockSurfaces(ViaSurfaceRecord* record) {
    if (record == nullptr || !surfaces_) return kError;
    Describe(record);
    return kOk;
}

void ViaLibrary::Describe(ViaSurfaceRecord* record) const {
    for (int i = 0; i < 2; ++i) record->buffer[i] = Hw().Memory().Address() + buffer_[i];
    record->pitch = uint32_t(pitch_);
}

void ViaLibrary::PointOverlay() {
    OverlaySource& s = Hw().Overlay().source;
    const uint32_t base = buffer_[shown_];
    if (format_ == kTagYv12) {
        const uint32_t luma = uint32_t(pitch_) * uint32_t(height_);
        s = OverlaySource{Layout::kPlanar420,     base,      width_, height_, pitch_, base + luma,
                          base + luma + luma / 4, pitch_ / 2};
    } else {
        s = OverlaySource{Layout::kPacked422, base, width_, height_, pitch_};
    }
}

int ViaLibrary::UpdateOverlay(const ViaOverlayRecord* record) {
    if (record == nullptr) return kError;
    OverlayPlane& o = Hw().Overlay();
    if (record->flags & kViaOverlayHide) {
        o.enabled = false;
        return kOk;
    }
    if (!(record->flags & kViaOverlayShow) || !surfaces_) return kError;
    if (record->right < record->left || record->bottom < record->top) return kError;
    PointOverlay();
    o.destination = Area{record->left, record->top, record->right - record->left + 1,
                         record->bottom - record->top + 1};
    o.cropped = true;
    o.crop =
        Area{int(record->sourceX), int(record->sourceY), int(record->width), int(record->height)};
    o.backdrop = false;
    o.colourKey = record->colourKey;
    o.keying = (record->flags & kViaOverlayKeying) != 0;
    o.controls = ColourControls{};
    o.enabled = true;
    return kOk;
}

int ViaLibrary::ShowBuffer(const uint32_t* index) {
    if (index == nullptr || !surfaces_ || *index > 1) return kError;
    shown_ = int(*index);
    if (Hw().Overlay().enabled) PointOverlay();
    return kOk;
}

}  // namespace simdisplay
