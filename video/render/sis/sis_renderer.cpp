// Open, close, the library binding and the error hook of the SiS renderer.
#include "video/render/sis/sis_renderer.h"

#include <mutex>

#include "video/kernels/library_state.h"
#include "video/kernels/processor_yv12_basic.h"

namespace {

// The vendor's hook would show a message box; this system shows nothing.
int SilentErrorHook(const char*, const char*) {
    return 0;
}

constexpr int kDefaultOutputWidth = 720;
constexpr int kDefaultOutputHeight = 576;

}  // namespace

CVRLNSiS::CVRLNSiS() : errorHook_(SilentErrorHook) {}

CVRLNSiS::~CVRLNSiS() {
    Close();
}

int CVRLNSiS::Open() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    // The buffers are planar: packed frames are repacked before conversion.
    SetConversionMode(kConversionRepackPacked);
    if (BindVendorCalls(&library_, SisVideoLibrary(), &calls_) != VendorBind::kBound) return -1;
    if (processor_ == nullptr) processor_ = std::make_unique<CVRLNProcessorYV12Basic>();
    const int width = ConfiguredOutputWidth() > 0 ? ConfiguredOutputWidth() : kDefaultOutputWidth;
    const int height =
        ConfiguredOutputHeight() > 0 ? ConfiguredOutputHeight() : kDefaultOutputHeight;
    if (CreateWindowLocked(width, height) != 0) {
        CloseLocked();
        return -1;
    }
    SetRendererFlags(RendererFlags() & ~kSisClearedRendererFlags);
    return 0;
}

int CVRLNSiS::Close() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return CloseLocked();
}

// Works from any partly opened state: the window is released only when one
// exists, and nothing is called through names that were never bound.
int CVRLNSiS::CloseLocked() {
    ReleaseWindowLocked();
    processor_.reset();
    library_.Close();
    calls_ = SisVideoCalls{};
    return 0;
}

void CVRLNSiS::SetErrorHook(SisErrorHook hook) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    errorHook_ = hook != nullptr ? hook : SilentErrorHook;
}

void CVRLNSiS::ReportError(const char* message) {
    errorHook_("Error", message);
}

bool CVRLNSiS::HasWindow() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return record_ != nullptr;
}

int CVRLNSiS::BufferIndex() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return index_;
}

int CVRLNSiS::WindowWidth() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return windowWidth_;
}
