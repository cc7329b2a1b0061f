// The state and behaviour behind the Intel overlay libraries (libI865G.so,
// libI915G.so) and the S3 library (libs3g.so), which share their calls:
// surfaces in video memory, a packed 4:2:2 overlay positioned by update and
// switched by flip, 2D fills and blits, modes and television output. The
// Intel libraries answer colour-control ids, the S3 library one property word.
#pragma once

#include <cstdint>
#include <string>

#include "sim/display/controller.h"

namespace simdisplay {

class SIM_DISPLAY_INTERNAL IntelStyleLibrary : public LibraryState {
  public:
    static IntelStyleLibrary& For(const std::string& library);
    explicit IntelStyleLibrary(std::string library) : library_(std::move(library)) {}
    void Unloading() override;

    uint32_t ModeInfo(uint32_t* width, uint32_t* height, uint32_t* bits);
    uint32_t InitOverlay();
    uint32_t StartAddress();
    uint32_t SetColourKey(uint32_t colour);
    uint32_t CreateSurface(uint32_t width, uint32_t height, uint32_t bits);
    uint32_t DestroySurface(const uint32_t* surface);
    uint32_t LockSurface(const uint32_t* surface, uint32_t* pitch, uint32_t* address);
    uint32_t UnlockSurface(const uint32_t* surface);
    uint32_t UpdateOverlay(uint32_t left, uint32_t top, uint32_t height, uint32_t width,
                           uint32_t offset, uint32_t sourceHeight, uint32_t sourceWidth,
                           uint32_t enable, uint32_t show);
    uint32_t FlipOverlay(uint32_t newOffset, uint32_t width, uint32_t height, uint32_t bits);
    uint32_t Fill(uint32_t offset, uint32_t position, uint32_t height, uint32_t width,
                  uint32_t colour, uint32_t bits);
    uint32_t Blit(uint32_t destination, uint32_t destinationPosition, uint32_t source,
                  uint32_t sourcePosition, uint32_t height, uint32_t width, uint32_t bits,
                  uint32_t rasterOp);
    uint32_t InitLib();
    uint32_t ExitLib();
    uint32_t ModeNumber(uint32_t width, uint32_t height, uint32_t bits);
    uint32_t SetMode(uint32_t number);
    uint32_t TvOnOff(uint32_t on);
    uint32_t TvConnector();
    uint32_t ColourBars(int on);
    // Intel colour controls: ids 1 brightness, 2 contrast, 3 saturation, 4 hue, 5 reset.
    uint32_t SetProperty(uint32_t id, int value);
    uint32_t GetProperty(int id, int* value);
    // S3 property word.
    uint32_t PropertyWord();
    uint32_t SetPropertyWord(uint32_t word);

  private:
    // The surface a handle names, or null.
    Block* SurfaceOf(const uint32_t* surface);
    void ApplyControls();

    std::string library_;
    bool initialised_ = true;  // a freshly loaded library needs no MCInitLib
    bool overlayReady_ = false;
    int brightness_ = 0;
    int contrast_ = 64;
    int saturation_ = 128;
    int hue_ = 0;
    uint32_t word_ = 0;
    bool usesWord_ = false;
};

}  // namespace simdisplay
