// The NVIDIA video output, its frames and its on-screen display on the
// simulated controller.
#include "sim/display/models/nvidia_library.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace simdisplay {
namespace {

constexpr int kMaxSide = 4096;
constexpr int kCaptionWords = 64;
const char kLibraryVersion[] = "NvMM 1.0";
const char kDriverVersion[] = "simulated display controller";

Controller& Hw() {
    return Controller::Get();
}

bool Positive(float f) {
    return std::isfinite(f) && f > 0.0f;
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Axis of the picture inside the destination: mode 1 with the letterbox
// state set takes three quarters, centred.
void PlaceAxis(int start, int length, int mode, int state, int* placedStart, int* placedLength) {
    *placedLength = (mode == 1 && state == 1) ? length * 3 / 4 : length;
    *placedStart = start + (length - *placedLength) / 2;
}

// Writes a rectangle of pixels (or one colour when pixels is null) into an
// image, clipped to `clip` (in image coordinates).
void PutPixels(OsdImage* image, const Area& clip, int x, int y, int width, int height,
               const uint8_t* pixels, unsigned colour) {
    const int x0 = std::max(x, clip.x), y0 = std::max(y, clip.y);
    const int x1 = int(std::min<int64_t>(int64_t(x) + width, int64_t(clip.x) + clip.width));
    const int y1 = int(std::min<int64_t>(int64_t(y) + height, int64_t(clip.y) + clip.height));
    const uint8_t fill[4] = {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16),
                             uint8_t(colour >> 24)};
    for (int row = y0; row < y1; ++row) {
        for (int col = x0; col < x1; ++col) {
            uint8_t* to = &image->pixels[(size_t(row) * image->width + col) * 4];
            const uint8_t* from =
                pixels != nullptr ? pixels + (size_t(row - y) * width + (col - x)) * 4 : fill;
            std::memcpy(to, from, 4);
        }
    }
}

}  // namespace

NvidiaLibrary& NvidiaLibrary::For(const std::string& library) {
    return StateOf<NvidiaLibrary>(library);
}

NvidiaLibrary::~NvidiaLibrary() {
    for (const Screen& s : screens_)
        if (Hw().shownOsd == &s.image) Hw().shownOsd = nullptr;
}

void NvidiaLibrary::Unloading() {
    ExitDll();
}

int NvidiaLibrary::InitDll() {
    initialised_ = true;
    return 0;
}

int NvidiaLibrary::ExitDll() {
    if (showing_) Hw().Overlay().enabled = false;
    showing_ = false;
    ReleaseBuffers();
    for (const Screen& s : screens_)
        if (Hw().shownOsd == &s.image) Hw().shownOsd = nullptr;
    screens_.clear();
    output_ = false;
    initialised_ = false;
    return 0;
}

int NvidiaLibrary::Version(const char** library, const char** driver) {
    if (library == nullptr || driver == nullptr) return -1;
    *library = kLibraryVersion;
    *driver = kDriverVersion;
    return 0;
}

int NvidiaLibrary::Init(int output, int monitor, unsigned width, unsigned height, unsigned refresh,
                        int aspect) {
    if (!initialised_ || output < kNvOutputMonitor || output > kNvOutputBoth) return -1;
    if (monitor < kNvMonitorAuto || monitor > kNvMonitorMultisync || refresh == 0) return -1;
    if (aspect != kNvAspect4x3 && aspect != kNvAspect16x9) return -1;
    if (width == 0 || height == 0) return -1;
    const DisplayMode* mode = FindMode(int(width), int(height), Hw().Mode().bits);
    if (mode == nullptr) return -1;
    const bool television = (output & kNvOutputTelevision) != 0;
    if (television && Hw().tvConnector == 0) return -1;
    ReleaseBuffers();
    if (!Hw().SetMode(*mode)) return -1;
    if (television) {
        Hw().tvOutput = true;
        Hw().displays |= 1;
    }
    output_ = true;
    outputWidth_ = mode->width;
    outputHeight_ = mode->height;
    destination_ = NvRect{0, 0, outputWidth_, outputHeight_};
    Apply();
    return 0;
}

int NvidiaLibrary::SetConfVideo(const NvConfVideo& configuration) {
    if (!initialised_) return -1;
    video_ = configuration;
    Apply();
    return 0;
}

int NvidiaLibrary::SetConfColor(const NvConfColor& c) {
    if (!initialised_) return -1;
    const bool finite = std::isfinite(c.brightness) && std::isfinite(c.contrast) &&
                        std::isfinite(c.saturation) && std::isfinite(c.hue);
    if (!finite || !Positive(c.gammaRed) || !Positive(c.gammaGreen) || !Positive(c.gammaBlue))
        return -1;
    colour_ = c;
    Apply();
    return 0;
}

bool NvidiaLibrary::EnsureBuffers(int width, int height) {
    if (buffer_[0] != 0 && width == frameWidth_ && height == frameHeight_) return true;
    ReleaseBuffers();
    Block shape;
    shape.width = width;
    shape.height = height;
    shape.bits = 16;
    shape.pitch = width * 2;
    shape.bytes = uint32_t(shape.pitch) * uint32_t(height);
    shape.owner = library_;
    const uint32_t floor = uint32_t(Hw().Mode().ScreenBytes());
    buffer_[0] = Hw().Memory().Allocate(floor, shape);
    buffer_[1] = buffer_[0] != 0 ? Hw().Memory().Allocate(floor, shape) : 0;
    if (buffer_[1] == 0) {
        ReleaseBuffers();
        return false;
    }
    frameWidth_ = width;
    frameHeight_ = height;
    shown_ = -1;
    return true;
}

void NvidiaLibrary::ReleaseBuffers() {
    for (uint32_t& b : buffer_) {
        if (b != 0) Hw().Memory().Release(b);
        b = 0;
    }
    shown_ = -1;
}

int NvidiaLibrary::Frame(const void* frame, int format) {
    if (!initialised_ || !output_ || !sourceSet_ || frame == nullptr) return -1;
    if (format < kNvTopFieldFirst || format > kNvProgressive) return -1;
    if (!EnsureBuffers(source_.right, source_.bottom)) return -1;
    const int next = shown_ < 0 ? 0 : shown_ ^ 1;
    const size_t bytes = size_t(frameWidth_) * 2 * size_t(frameHeight_);
    std::memcpy(Hw().Memory().At(buffer_[next], bytes), frame, bytes);
    shown_ = next;
    showing_ = true;
    Apply();
    return 0;
}

int NvidiaLibrary::End() {
    if (!initialised_) return -1;
    if (showing_) Hw().Overlay().enabled = false;
    showing_ = false;
    return 0;
}

int NvidiaLibrary::SetZoom(float x, float y) {
    if (!initialised_ || !Positive(x) || !Positive(y)) return -1;
    zoomX_ = x;
    zoomY_ = y;
    Apply();
    return 0;
}

int NvidiaLibrary::SetOffset(int x, int y) {
    if (!initialised_) return -1;
    offsetX_ = x;
    offsetY_ = y;
    Apply();
    return 0;
}

int NvidiaLibrary::SetSource(const NvRect& r) {
    if (!initialised_ || r.left < 0 || r.top < 0 || r.right <= r.left || r.bottom <= r.top ||
        r.right > kMaxSide || r.bottom > kMaxSide)
        return -1;
    source_ = r;
    sourceSet_ = true;
    Apply();
    return 0;
}

int NvidiaLibrary::SetDestination(const NvRect& r) {
    if (!initialised_ || r.right <= r.left || r.bottom <= r.top) return -1;
    destination_ = r;
    Apply();
    return 0;
}

int NvidiaLibrary::SetLine21(const unsigned short* words, unsigned count, bool) {
    if (!initialised_ || (words == nullptr && count > 0) || count > kCaptionWords) return -1;
    line21_.assign(words, words + count);
    return 0;
}

void NvidiaLibrary::Apply() {
    if (!showing_ || shown_ < 0) return;
    OverlayPlane& o = Hw().Overlay();
    const int sw = source_.right - source_.left, sh = source_.bottom - source_.top;
    const int cw = std::max(1, int(std::lround(sw / zoomX_)));
    const int ch = std::max(1, int(std::lround(sh / zoomY_)));
    o.crop = Area{int(source_.left + FloorDiv(sw - cw, 2) + offsetX_),
                  int(source_.top + FloorDiv(sh - ch, 2) + offsetY_), cw, ch};
    o.cropped = true;
    const Area d{destination_.left, destination_.top, destination_.right - destination_.left,
                 destination_.bottom - destination_.top};
    Area placed;
    PlaceAxis(d.x, d.width, video_.horizontalMode, video_.letterboxState, &placed.x, &placed.width);
    PlaceAxis(d.y, d.height, video_.verticalMode, video_.letterboxState, &placed.y, &placed.height);
    o.destination = placed;
    o.backdrop = true;
    o.backdropArea = d;
    o.source = OverlaySource{Layout::kPacked422, buffer_[shown_], frameWidth_, frameHeight_,
                             frameWidth_ * 2};
    o.keying = false;
    o.controls = ColourControls{};
    if (colour_.enabled != 0) {
        o.controls.brightness = int(std::lround(colour_.brightness * 128.0f));
        o.controls.contrast = int(std::lround(colour_.contrast * 256.0f));
        o.controls.saturation = int(std::lround(colour_.saturation * 256.0f));
        o.controls.hue = int(std::lround(colour_.hue));
        o.controls.gamma[0] = colour_.gammaRed;
        o.controls.gamma[1] = colour_.gammaGreen;
        o.controls.gamma[2] = colour_.gammaBlue;
    }
    o.enabled = true;
}

NvidiaLibrary::Screen* NvidiaLibrary::FindScreen(void* handle) {
    for (Screen& s : screens_)
        if (&s == handle) return &s;
    return nullptr;
}

NvidiaLibrary::Region* NvidiaLibrary::FindRegion(Screen* screen, void* handle) {
    for (Region& r : screen->regions)
        if (&r == handle) return &r;
    return nullptr;
}

int NvidiaLibrary::ScreenNumber(const void* screen) const {
    for (const Screen& s : screens_)
        if (&s == screen) return s.number;
    return 0;
}

int NvidiaLibrary::RegionNumber(const void* region) const {
    for (const Screen& s : screens_)
        for (const Region& r : s.regions)
            if (&r == region) return r.number;
    return 0;
}

int NvidiaLibrary::CreateScreen(void** screen, unsigned width, unsigned height, float opacity) {
    if (!initialised_ || screen == nullptr || width == 0 || height == 0 || width > kMaxSide ||
        height > kMaxSide || !std::isfinite(opacity) || opacity < 0.0f || opacity > 1.0f)
        return -1;
    screens_.emplace_back();
    Screen& s = screens_.back();
    s.number = ++handles_;
    s.image.width = int(width);
    s.image.height = int(height);
    s.image.pixels.assign(size_t(width) * height * 4, 0);
    s.image.opacity = opacity;
    *screen = &s;
    return 0;
}

int NvidiaLibrary::CreateRegion(void* screen, void** region, int x, int y, unsigned width,
                                unsigned height) {
    Screen* s = FindScreen(screen);
    if (s == nullptr || region == nullptr || x < 0 || y < 0 || width == 0 || height == 0 ||
        int64_t(x) + width > s->image.width || int64_t(y) + height > s->image.height)
        return -1;
    s->regions.push_back(Region{++handles_, x, y, int(width), int(height)});
    *region = &s->regions.back();
    return 0;
}

int NvidiaLibrary::Display(void* screen) {
    Screen* s = FindScreen(screen);
    if (s == nullptr) return -1;
    Hw().shownOsd = &s->image;
    return 0;
}

int NvidiaLibrary::ClearScreen(void* screen, unsigned colour) {
    Screen* s = FindScreen(screen);
    if (s == nullptr) return -1;
    PutPixels(&s->image, Area{0, 0, s->image.width, s->image.height}, 0, 0, s->image.width,
              s->image.height, nullptr, colour);
    return 0;
}

int NvidiaLibrary::SetBlend(void* screen, unsigned char alpha, int source, int destination) {
    Screen* s = FindScreen(screen);
    if (s == nullptr || source < kNvBlendZero || source > kNvBlendOneMinusPixelAlpha ||
        destination < kNvBlendZero || destination > kNvBlendOneMinusPixelAlpha)
        return -1;
    s->image.constantAlpha = alpha;
    s->image.sourceFactor = source;
    s->image.destinationFactor = destination;
    return 0;
}

int NvidiaLibrary::DrawScreen(void* screen, int x, int y, unsigned width, unsigned height,
                              const char* pixels) {
    Screen* s = FindScreen(screen);
    if (s == nullptr || pixels == nullptr || width > kMaxSide || height > kMaxSide) return -1;
    PutPixels(&s->image, Area{0, 0, s->image.width, s->image.height}, x, y, int(width), int(height),
              reinterpret_cast<const uint8_t*>(pixels), 0);
    return 0;
}

int NvidiaLibrary::ClearScreenArea(void* screen, int x, int y, unsigned width, unsigned height,
                                   unsigned colour) {
    Screen* s = FindScreen(screen);
    if (s == nullptr || width > kMaxSide || height > kMaxSide) return -1;
    PutPixels(&s->image, Area{0, 0, s->image.width, s->image.height}, x, y, int(width), int(height),
              nullptr, colour);
    return 0;
}

int NvidiaLibrary::DrawRegion(void* screen, void* region, int x, int y, unsigned width,
                              unsigned height, const char* pixels) {
    Screen* s = FindScreen(screen);
    Region* r = s != nullptr ? FindRegion(s, region) : nullptr;
    if (r == nullptr || pixels == nullptr || width > kMaxSide || height > kMaxSide) return -1;
    PutPixels(&s->image, Area{r->x, r->y, r->width, r->height}, r->x + x, r->y + y, int(width),
              int(height), reinterpret_cast<const uint8_t*>(pixels), 0);
    return 0;
}

int NvidiaLibrary::ClearRegion(void* screen, void* region, int x, int y, unsigned width,
                               unsigned height, unsigned colour) {
    Screen* s = FindScreen(screen);
    Region* r = s != nullptr ? FindRegion(s, region) : nullptr;
    if (r == nullptr || width > kMaxSide || height > kMaxSide) return -1;
    PutPixels(&s->image, Area{r->x, r->y, r->width, r->height}, r->x + x, r->y + y, int(width),
              int(height), nullptr, colour);
    return 0;
}

}  // namespace simdisplay
