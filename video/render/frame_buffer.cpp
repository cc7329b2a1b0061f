// Open, close and the frame path of the frame-buffer renderer.
#include "video/render/frame_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/debug_log.h"
#include "video/kernels/library_state.h"
#include "video/render/picture.h"
#include "video/render/rgb_converter.h"

namespace {

struct DepthChoice {
    int depth;
    int formatCode;
    const char* logLine;  // null: nothing is logged
};

// Any depth not listed is converted as 24 bits.
constexpr DepthChoice kDepths[] = {
    {15, kFormatRgb555, nullptr},
    {16, kFormatRgb565, "SetRender: Now Use 16 bits mode.\n"},
    {32, kFormatRgb32, "SetRender: Now Use 32 bits mode.\n"},
};
constexpr DepthChoice kDefaultDepth = {24, kFormatRgb24, "SetRender: Now Use 24 bits mode.\n"};

const DepthChoice& ChooseDepth(int bitsPerPixel) {
    for (const DepthChoice& d : kDepths)
        if (d.depth == bitsPerPixel) return d;
    return kDefaultDepth;
}

}  // namespace

CVRLNFrameBuffer::CVRLNFrameBuffer() = default;

CVRLNFrameBuffer::~CVRLNFrameBuffer() {
    Close();
}

bool CVRLNFrameBuffer::OpenScreen() {
    device_ = OpenFrameBufferDevice();
    if (device_ == nullptr || !device_->Query(&geometry_)) return false;
    if (geometry_.width <= 0 || geometry_.height <= 0 || geometry_.lineLength <= 0) return false;
    mappedBytes_ = size_t(geometry_.lineLength) * size_t(geometry_.height);
    screen_ = device_->Map(mappedBytes_);
    if (screen_ == nullptr) mappedBytes_ = 0;
    return screen_ != nullptr;
}

bool CVRLNFrameBuffer::CreateConverter() {
    const DepthChoice& choice = ChooseDepth(geometry_.bitsPerPixel);
    depth_ = choice.depth;
    const int bytes = (depth_ + 7) / 8;
    shadowPitch_ = std::max(geometry_.lineLength, geometry_.width * bytes);
    shadow_.assign(size_t(shadowPitch_) * size_t(geometry_.height), 0);
    shown_ = shadow_.data();
    if (converter_ != nullptr) return true;
    converter_ = CVRLNProcessorRGB::Create(choice.formatCode);
    if (converter_ == nullptr) return false;
    if (choice.logLine != nullptr) DebugPrint("%s", choice.logLine);
    tag_ = kRgbTagBase + uint32_t(choice.formatCode);
    converter_->SetScreen(geometry_.width, geometry_.height, depth_);
    return true;
}

int CVRLNFrameBuffer::Open() {
    // No allocation failure leaves the renderer as an exception: the caller gets
    // -1 and closes the partly opened renderer as after any other failure.
    try {
        return OpenLocked();
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

int CVRLNFrameBuffer::OpenLocked() {
    if (!OpenScreen()) return -1;
    if (!CreateConverter()) return -1;
    if (overlay_.Attach(shadow_.size()) && overlay_.Composition() != nullptr)
        std::memset(overlay_.Composition(), 0, shadow_.size());
    device_->SetCursorVisible(false);
    geometryChanged_ = true;
    return 0;
}

// Copes with every partly opened state: each piece is released only when held.
int CVRLNFrameBuffer::Close() {
    std::lock_guard<std::mutex> lock(frameMutex_);
    overlay_.Detach();
    converter_.reset();
    tag_ = 0;
    if (device_ != nullptr) {
        device_->Unmap();
        device_->SetCursorVisible(true);
        device_.reset();
    }
    screen_ = nullptr;
    mappedBytes_ = 0;
    std::vector<uint8_t>().swap(shadow_);
    shown_ = nullptr;
    return 0;
}

int CVRLNFrameBuffer::SetOutputRect(uintptr_t, const VRLNRect*, const VRLNRect*) {
    geometryChanged_ = true;
    return 0;
}

int CVRLNFrameBuffer::ClearPicture() {
    std::lock_guard<std::mutex> lock(frameMutex_);
    if (screen_ != nullptr) std::memset(screen_, 0, mappedBytes_);
    return 0;
}

int CVRLNFrameBuffer::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<std::mutex> lock(frameMutex_);
    return DrawPictureLocked(picture);
}

int CVRLNFrameBuffer::DrawPictureLocked(CVRLNPicture* picture) {
    if (picture == nullptr) return kVrlnNullPointer;
    SetCurrentFrameSize(picture->width, picture->height);
    SetDeinterlaceModeWord(
        DeinterlaceModeFor(picture->deinterlaceOff != 0, RendererFlags(), DeinterlaceOptions()));
    if (converter_ != nullptr) converter_->SetColourControls(&picture->colour);
    return 0;
}

int CVRLNFrameBuffer::ConvertLocked(CVRLNPicture* picture, uint8_t* target) {
    picture->displayWidth = geometry_.width;
    picture->displayHeight = geometry_.height;
    if (geometryChanged_.exchange(false)) {
        converter_->SetOutputHeight(geometry_.height, 1000);
        converter_->SetOutputWidth(geometry_.width, 1000);
    }
    picture->outputPitch = shadowPitch_;
    converter_->SetSubpicture(picture);
    picture->output = target;
    return converter_->Process(picture, 0);
}

// Without items to draw, the shadow would only be copied unchanged into the
// composition buffer and onto the screen. Instead the converter writes each
// line into the composition buffer (the shadow without an overlay record),
// which capture and the other party read, and streams it from there, still in
// cache, onto the screen: the same bytes in both places without a
// screen-sized pass that reads the picture back.
bool CVRLNFrameBuffer::ConvertsStraightLocked() const {
    const OverlayRecord* record = overlay_.Record();
    if (record != nullptr && OverlayHasItems(*record)) return false;
    return size_t(shadowPitch_) == size_t(geometry_.lineLength);
}

uint8_t* CVRLNFrameBuffer::StraightTargetLocked() {
    if (overlay_.Record() != nullptr && overlay_.Composition() != nullptr)
        return overlay_.Composition();
    return shadow_.data();
}

void CVRLNFrameBuffer::ComposeLocked() {
    const OverlayRecord* record = overlay_.Record();
    if (record == nullptr) return;
    if (overlay_.Composition() != nullptr)
        copier_.Copy(overlay_.Composition(), shadow_.data(), shadow_.size());
    ComposeOverlayItems(*record, ComposeTarget{shadow_.data(), geometry_.width, geometry_.height,
                                               shadowPitch_, depth_});
}

// One copy when the picture has the screen's lines; otherwise line by line,
// never more than a screen line holds.
void CVRLNFrameBuffer::CopyToScreenLocked(const uint8_t* picture) {
    const size_t screenPitch = size_t(geometry_.lineLength);
    if (size_t(shadowPitch_) == screenPitch) {
        copier_.Copy(screen_, picture, std::min(shadow_.size(), mappedBytes_));
        return;
    }
    const size_t bytes = std::min(size_t(shadowPitch_), screenPitch);
    for (int y = 0; y < geometry_.height; ++y)
        copier_.Copy(screen_ + y * screenPitch, picture + size_t(y) * shadowPitch_, bytes);
}

int CVRLNFrameBuffer::Flip(CVRLNPicture* picture) {
    std::lock_guard<std::mutex> lock(frameMutex_);
    if (converter_ == nullptr) return 0;
    const int drawn = DrawPictureLocked(picture);
    if (drawn < 0) return drawn;
    if (screen_ == nullptr) return 0;
    const bool straight = ConvertsStraightLocked();
    uint8_t* const target = straight ? StraightTargetLocked() : shadow_.data();
    if (straight) {
        const int lines = int(std::min<size_t>(size_t(geometry_.height),
                                               mappedBytes_ / size_t(geometry_.lineLength)));
        converter_->SetMirror(screen_, geometry_.lineLength, lines);
    }
    const int converted = ConvertLocked(picture, target);
    converter_->SetMirror(nullptr, 0, 0);
    // A picture the converter had no memory for is reported, and the screen keeps
    // the last frame.
    if (converted == kProcessNoMemory) return kVrlnFailure;
    if (!straight) ComposeLocked();
    // A refused picture shows the last frame, as the shadow holds it.
    if (!straight || converted != kProcessDone) CopyToScreenLocked(target);
    shown_ = target;
    overlay_.StampFrame();
    return 0;
}

int32_t CVRLNFrameBuffer::SetProperty(const VRLNPropertySetId* set, uint32_t id,
                                      const void* instance, uint32_t instanceLength,
                                      const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet) || id != kPropFrameBufferSize)
        return CVRLNRenderer::SetProperty(set, id, instance, instanceLength, value, length);
    int32_t size = 0;
    const int32_t read = ReadPropertyValue(value, length, &size);
    if (read == 0) configuredSize_ = uint32_t(size);
    return read;
}
