// The state and behaviour behind libNVDLL.so: the video output set by
// NvMMInit, frames copied into two buffers of its own in video memory and
// shown through the overlay plane at the source, zoom, offset, destination
// and letterbox settings, the colour configuration, caption words, and the
// on-screen display screens and regions.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "interfaces/vendor/nvidia_video.h"
#include "sim/display/controller.h"

namespace simdisplay {

class SIM_DISPLAY_INTERNAL NvidiaLibrary : public LibraryState {
  public:
    static NvidiaLibrary& For(const std::string& library);
    explicit NvidiaLibrary(std::string library) : library_(std::move(library)) {}
    ~NvidiaLibrary() override;
    void Unloading() override;

    // 0 or more on success, negative on failure.
    int InitDll();
    int ExitDll();
    int Version(const char** library, const char** driver);
    int Init(int output, int monitor, unsigned width, unsigned height, unsigned refresh,
             int aspect);
    int SetConfVideo(const NvConfVideo& configuration);
    int SetConfColor(const NvConfColor& configuration);
    int Frame(const void* frame, int format);
    int End();
    int SetZoom(float x, float y);
    int SetOffset(int x, int y);
    int SetSource(const NvRect& source);
    int SetDestination(const NvRect& destination);
    int SetLine21(const unsigned short* words, unsigned count, bool secondField);
    const std::vector<unsigned short>& Line21() const { return line21_; }

    int CreateScreen(void** screen, unsigned width, unsigned height, float opacity);
    int CreateRegion(void* screen, void** region, int x, int y, unsigned width, unsigned height);
    int Display(void* screen);
    int ClearScreen(void* screen, unsigned colour);
    int SetBlend(void* screen, unsigned char alpha, int source, int destination);
    int DrawScreen(void* screen, int x, int y, unsigned width, unsigned height, const char* pixels);
    int ClearScreenArea(void* screen, int x, int y, unsigned width, unsigned height,
                        unsigned colour);
    int DrawRegion(void* screen, void* region, int x, int y, unsigned width, unsigned height,
                   const char* pixels);
    int ClearRegion(void* screen, void* region, int x, int y, unsigned width, unsigned height,
                    unsigned colour);

    // Journal numbers of handles: 1, 2, ... in creation order, 0 when unknown.
    int ScreenNumber(const void* screen) const;
    int RegionNumber(const void* region) const;

  private:
    struct Region {
        int number;
        int x;
        int y;
        int width;
        int height;
    };
    struct Screen {
        int number;
        OsdImage image;
        std::list<Region> regions;
    };
    Screen* FindScreen(void* handle);
    Region* FindRegion(Screen* screen, void* handle);
    bool EnsureBuffers(int width, int height);
    void ReleaseBuffers();
    void Apply();

    std::string library_;
    bool initialised_ = false;
    bool output_ = false;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    bool sourceSet_ = false;
    NvRect source_{};
    NvRect destination_{};
    float zoomX_ = 1.0f;
    float zoomY_ = 1.0f;
    int offsetX_ = 0;
    int offsetY_ = 0;
    NvConfVideo video_{0, 0, 0, 5, 0, 0, 0, 1, 1, 1, 1};
    NvConfColor colour_{0.0f, 1.0f, 1.0f, 0.0f, 1, 1.0f, 1.0f, 1.0f};
    uint32_t buffer_[2] = {0, 0};
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int shown_ = -1;  // no frame yet
    bool showing_ = false;
    std::vector<unsigned short> line21_;
    std::list<Screen> screens_;
    int handles_ = 0;
};

}  // namespace simdisplay
