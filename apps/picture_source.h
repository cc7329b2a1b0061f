// Where the live view takes the picture it shows: anything that can hand over
// the current RGB picture and its size.
//
// Today the only source is the screen the frame-buffer renderer draws into (a
// screen file, see live_preview.h). ChoosePictureSource is the one place that
// picks a source: a hardware renderer's simulated monitor (its scan-out) is to
// be chosen there when the host program is told which graphics hardware to
// simulate.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "apps/live_preview.h"

namespace host {

// Rows top down, 3 bytes a pixel (red, green, blue).
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* PixelAt(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The current picture; false (picture untouched) when there is none to show.
    virtual bool Take(RgbPicture* picture) = 0;
};

// The screen file the frame-buffer renderer draws into, read as it is now.
std::unique_ptr<PictureSource> MakeScreenPictureSource(const livepreview::ScreenFile& screen);

// The source the live view shows.
std::unique_ptr<PictureSource> ChoosePictureSource(const livepreview::ScreenFile& screen);

}  // namespace host
