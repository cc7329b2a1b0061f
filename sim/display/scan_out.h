// The picture the monitor shows, made from the controller's state: the
// desktop, the overlay where the colour key lets it through, the shown
// on-screen display on top, or the television's colour bars.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/display/controller.h"

namespace simdisplay {

// RGB rows top-down, width x height x 3 bytes at the current mode. Call
// under the controller's lock.
std::vector<uint8_t> RenderScanOut(Controller& controller);

// A 24-bit .bmp of RGB rows; false when the file cannot be written.
bool WriteBmp(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height);

}  // namespace simdisplay
