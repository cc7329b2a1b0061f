// Surfaces, overlay, 2D, modes, television and colour controls of the Intel
// and S3 overlay libraries.
#include "sim/display/models/intel_style_library.h"

#include "interfaces/vendor/video_memory.h"

namespace simdisplay {
namespace {

constexpr uint32_t kMaxSide = 4096;
constexpr uint32_t kSourceCopy = 0xCC;

Controller& Hw() {
    return Controller::Get();
}

// Surfaces follow the current screen.
uint32_t SurfaceFloor() {
    return uint32_t(Hw().Mode().ScreenBytes());
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

IntelStyleLibrary& IntelStyleLibrary::For(const std::string& library) {
    return StateOf<IntelStyleLibrary>(library);
}

void IntelStyleLibrary::Unloading() {
    Hw().Memory().ReleaseOwnedBy(library_);
}

Block* IntelStyleLibrary::SurfaceOf(const uint32_t* surface) {
    uint32_t offset = 0;
    if (!Hw().Memory().OffsetOf(VideoMemoryWord(surface), &offset)) return nullptr;
    Block* block = Hw().Memory().Find(offset);
    return block != nullptr && block->owner == library_ ? block : nullptr;
}

uint32_t IntelStyleLibrary::ModeInfo(uint32_t* width, uint32_t* height, uint32_t* bits) {
    if (!initialised_ || width == nullptr || height == nullptr || bits == nullptr) return 0;
    *width = uint32_t(Hw().Mode().width);
    *height = uint32_t(Hw().Mode().height);
    *bits = uint32_t(Hw().Mode().bits);
    return 1;
}

uint32_t IntelStyleLibrary::InitOverlay() {
    if (!initialised_) return 0;
    overlayReady_ = true;
    return 1;
}

uint32_t IntelStyleLibrary::StartAddress() {
    return initialised_ ? Hw().Memory().Address() : 0;
}

uint32_t IntelStyleLibrary::SetColourKey(uint32_t colour) {
    if (!initialised_) return 0;
    Hw().Overlay().colourKey = colour;
    Hw().Overlay().keying = true;
    return 1;
}

uint32_t IntelStyleLibrary::CreateSurface(uint32_t width, uint32_t height, uint32_t bits) {
    if (!initialised_ || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return 0;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return 0;
    Block shape;
    shape.width = int(width);
    shape.height = int(height);
    shape.bits = int(bits);
    shape.pitch = int(width * bits / 8);
    shape.bytes = uint32_t(shape.pitch) * height;
    shape.owner = library_;
    const uint32_t offset = Hw().Memory().Allocate(SurfaceFloor(), shape);
    return offset == 0 ? 0 : Hw().Memory().Address() + offset;
}

uint32_t IntelStyleLibrary::DestroySurface(const uint32_t* surface) {
    Block* block = initialised_ ? SurfaceOf(surface) : nullptr;
    if (block == nullptr || block->locks > 0) return 0;
    return Hw().Memory().Release(block->offset) ? 1 : 0;
}

uint32_t IntelStyleLibrary::LockSurface(const uint32_t* surface, uint32_t* pitch,
                                        uint32_t* address) {
    Block* block = initialised_ ? SurfaceOf(surface) : nullptr;
    if (block == nullptr || block->locks > 0) return 0;
    block->locks = 1;
    if (pitch != nullptr) *pitch = uint32_t(block->pitch);
    if (address != nullptr) *address = Hw().Memory().Address() + block->offset;
    return uint32_t(block->pitch);
}

uint32_t IntelStyleLibrary::UnlockSurface(const uint32_t* surface) {
    Block* block = initialised_ ? SurfaceOf(surface) : nullptr;
    if (block == nullptr || block->locks == 0) return 0;
    block->locks = 0;
    return 1;
}

uint32_t IntelStyleLibrary::UpdateOverlay(uint32_t left, uint32_t top, uint32_t height,
                                          uint32_t width, uint32_t offset, uint32_t sourceHeight,
                                          uint32_t sourceWidth, uint32_t enable, uint32_t show) {
    if (!initialised_ || !overlayReady_) return 0;
    OverlayPlane& o = Hw().Overlay();
    const bool visible = enable != 0 && show != 0;
    if (visible) {
        // Showing needs a surface that holds the whole source.
        const Block* block = Hw().Memory().Find(offset);
        if (block == nullptr || sourceWidth == 0 || sourceHeight == 0 ||
            sourceWidth > uint32_t(block->width) || sourceHeight > uint32_t(block->height))
            return 0;
        o.source = OverlaySource{Layout::kPacked422, offset, int(sourceWidth), int(sourceHeight),
                                 block->pitch};
    }
    o.destination = Area{int(left), int(top), int(width), int(height)};
    o.cropped = false;
    o.backdrop = false;
    o.enabled = visible;
    ApplyControls();
    return 1;
}

uint32_t IntelStyleLibrary::FlipOverlay(uint32_t newOffset, uint32_t width, uint32_t height,
                                        uint32_t bits) {
    if (!initialised_ || !overlayReady_ || bits != 16) return 0;
    const Block* block = Hw().Memory().Find(newOffset);
    if (block == nullptr || width == 0 || height == 0 || width > uint32_t(block->width) ||
        height > uint32_t(block->height))
        return 0;
    OverlaySource& s = Hw().Overlay().source;
    s = OverlaySource{Layout::kPacked422, newOffset, int(width), int(height), block->pitch};
    return 1;
}

uint32_t IntelStyleLibrary::Fill(uint32_t offset, uint32_t position, uint32_t height,
                                 uint32_t width, uint32_t colour, uint32_t bits) {
    Controller::Target target;
    if (!initialised_ || !Hw().TargetAt(offset, &target) || int(bits) != target.bits) return 0;
    if (width > kMaxSide || height > kMaxSide) return 0;
    return Hw().Fill(offset, int(position & 0xFFFF), int(position >> 16), int(width), int(height),
                     colour)
               ? 1
               : 0;
}

uint32_t IntelStyleLibrary::Blit(uint32_t destination, uint32_t destinationPosition,
                                 uint32_t source, uint32_t sourcePosition, uint32_t height,
                                 uint32_t width, uint32_t bits, uint32_t rasterOp) {
    Controller::Target target;
    if (!initialised_ || rasterOp != kSourceCopy || !Hw().TargetAt(destination, &target) ||
        int(bits) != target.bits || width > kMaxSide || height > kMaxSide)
        return 0;
    return Hw().Blit(destination, int(destinationPosition & 0xFFFF), int(destinationPosition >> 16),
                     source, int(sourcePosition & 0xFFFF), int(sourcePosition >> 16), int(width),
                     int(height))
               ? 1
               : 0;
}

uint32_t IntelStyleLibrary::InitLib() {
    initialised_ = true;
    return 1;
}

uint32_t IntelStyleLibrary::ExitLib() {
    if (!initialised_) return 0;
    Hw().Overlay().enabled = false;
    Hw().Memory().ReleaseOwnedBy(library_);
    initialised_ = false;
    overlayReady_ = false;
    return 1;
}

uint32_t IntelStyleLibrary::ModeNumber(uint32_t width, uint32_t height, uint32_t bits) {
    const DisplayMode* mode = FindMode(int(width), int(height), int(bits));
    return mode != nullptr ? uint32_t(mode->number) : 0;
}

uint32_t IntelStyleLibrary::SetMode(uint32_t number) {
    const DisplayMode* mode = FindModeNumber(int(number));
    if (!initialised_ || mode == nullptr) return 0;
    return Hw().SetMode(*mode) ? 1 : 0;
}

uint32_t IntelStyleLibrary::TvOnOff(uint32_t on) {
    if (!initialised_) return 0;
    Controller& c = Hw();
    if (on != 0) {
        if (c.tvConnector == 0) return 0;
        c.tvOutput = true;
        c.displays |= 1;
    } else {
        c.tvOutput = false;
        c.colourBars = false;
        c.displays &= ~1;
    }
    return 1;
}

uint32_t IntelStyleLibrary::TvConnector() {
    return initialised_ ? uint32_t(Hw().tvConnector) : 0;
}

uint32_t IntelStyleLibrary::ColourBars(int on) {
    if (!initialised_ || !Hw().tvOutput) return 0;
    Hw().colourBars = on != 0;
    return 1;
}

uint32_t IntelStyleLibrary::SetProperty(uint32_t id, int value) {
    if (!initialised_) return 0;
    switch (id) {
        case 1:
            if (!InRange(value, -128, 127)) return 0;
            brightness_ = value;
            break;
        case 2:
            if (!InRange(value, 0, 255)) return 0;
            contrast_ = value;
            break;
        case 3:
            if (!InRange(value, 0, 255)) return 0;
            saturation_ = value;
            break;
        case 4:
            if (!InRange(value, -128, 127)) return 0;
            hue_ = value;
            break;
        case 5:
            brightness_ = 0;
            contrast_ = 64;
            saturation_ = 128;
            hue_ = 0;
            break;
        default:
            return 0;
    }
    usesWord_ = false;
    ApplyControls();
    return 1;
}

uint32_t IntelStyleLibrary::GetProperty(int id, int* value) {
    if (!initialised_ || value == nullptr) return 0;
    switch (id) {
        case 1:
            *value = brightness_;
            return 1;
        case 2:
            *value = contrast_;
            return 1;
        case 3:
            *value = saturation_;
            return 1;
        case 4:
            *value = hue_;
            return 1;
        default:
            return 0;
    }
}

uint32_t IntelStyleLibrary::PropertyWord() {
    return initialised_ ? word_ : 0;
}

uint32_t IntelStyleLibrary::SetPropertyWord(uint32_t word) {
    if (!initialised_ || (word & 0x6000) != 0) return 0;
    word_ = word;
    usesWord_ = true;
    ApplyControls();
    return 1;
}

void IntelStyleLibrary::ApplyControls() {
    ColourControls& k = Hw().Overlay().controls;
    k = ColourControls{};
    if (usesWord_) {
        if (word_ & 0x8000) {
            k.brightness = int(word_ & 0xFF) - 128;
            k.contrast = int((word_ >> 8) & 0x1F) * 16;
        }
        return;
    }
    k.brightness = brightness_;
    k.contrast = contrast_ * 4;
    k.saturation = saturation_ * 2;
    k.hue = hue_ * 180 / 128;
}

}  // namespace simdisplay
