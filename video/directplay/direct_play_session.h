// CDirectPlaySession: the one live-video instance behind the exported
// direct-play functions. It owns the renderer, the picture record and the
// picture's frame buffer, and receives the tuner service's frames in
// OnTunerFrame.
//
// Threads: the exported functions run on the caller's thread (serialised by
// the exports); OnTunerFrame runs on the tuner service's capture thread. A
// frame gate, held while a frame is drawn, lets Stop wait out a frame in
// progress, and frames that arrive for a session that is stopping or gone are
// dropped, so no frame ever reaches a destroyed renderer.
#pragma once

#include <cstdint>
#include <memory>

#include "video/directplay/tuner_binding.h"
#include "video/render/picture.h"
#include "video/render/renderer.h"

// Results of the exported functions.
constexpr int kDirectPlayNoInstance = -1;
constexpr int kDirectPlayBadKey = static_cast<int>(0x80000003u);
constexpr int kDirectPlayNoRenderer = static_cast<int>(0x80000008u);

class CDirectPlaySession {
  public:
    // Reads the driver id; with a driver, creates the zero-filled picture.
    explicit CDirectPlaySession(const TunerFunctions& tuner);
    ~CDirectPlaySession();
    CDirectPlaySession(const CDirectPlaySession&) = delete;
    CDirectPlaySession& operator=(const CDirectPlaySession&) = delete;

    // Start after the size query: frame buffer, renderer, output rectangle,
    // callback. 0 running (or inert without a driver), -1 no renderer, or the
    // renderer's negative SetOutputRect result.
    int Start(void* window, const ZaqRect* target, int width, int height);
    // Uninstalls the callback, waits out a frame in progress, releases the
    // renderer and the picture.
    void Stop();

    int SetProperty(int key, int value);
    int GetProperty(int key, int* value);
    int Move(void* window, const ZaqRect* target);
    int Refresh(int a, int b);
    int Capture(int bitCount, uint8_t* bitmap);

    static void OnTunerFrame(void* context, unsigned char* frame);

    int32_t DriverId() const { return driverId_; }
    CVRLNPicture* Picture() const { return picture_.get(); }
    CVRLNRenderer* Renderer() const { return renderer_.get(); }
    int32_t FrameBytes() const { return frameBytes_; }
    size_t PlanarBytes() const { return planarBytes_; }

  private:
    struct RendererRelease {
        void operator()(CVRLNRenderer* renderer) const;
    };
    bool PreparePicture(int width, int height);
    int SetOutput(void* window, const ZaqRect* target);
    void DrawFrame(unsigned char* frame);

    TunerFunctions tuner_;
    int32_t driverId_;
    std::unique_ptr<CVRLNRenderer, RendererRelease> renderer_;
    std::unique_ptr<CVRLNPicture> picture_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t frameBytes_ = 0;
    size_t planarBytes_ = 0;
    bool callbackInstalled_ = false;
};
