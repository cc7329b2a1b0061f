// Where the live view takes the picture it shows: anything that can hand over
// the current RGB picture and its size.
//
// Two sources: the screen the frame-buffer renderer draws into (a screen file,
// see live_preview.h), and the preview source --graphics sets up, the
// simulated monitor's scan-out, which shows what a hardware renderer's overlay
// puts on the screen (apps/graphics_option.h). ChoosePictureSource is the one
// place that picks between them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "apps/live_preview.h"

namespace host {

// Rows top down, 3 bytes a pixel (red, green, blue).
using RgbPicture = livepreview::RgbPicture;

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The current picture; false (picture untouched) when there is none to show.
    virtual bool Take(RgbPicture* picture) = 0;
};

// The screen file the frame-buffer renderer draws into, read as it is now.
std::unique_ptr<PictureSource> MakeScreenPictureSource(const livepreview::ScreenFile& screen);

// A preview source's picture function (the simulated monitor's scan-out).
std::unique_ptr<PictureSource> MakePreviewPictureSource(std::function<bool(RgbPicture*)> picture);

// The source the live view shows: the preview source UsePreviewSource chose,
// if any, else the screen file.
std::unique_ptr<PictureSource> ChoosePictureSource(const livepreview::ScreenFile& screen);

}  // namespace host
