// Live video for the host program: a virtual screen file for libmirova to draw
// into, a true-colour terminal preview of that screen, and saving the shown
// picture as a .bmp through ZMP_FRAMECAPTURE.
//
// Wiring into the host program: call UseVirtualScreen before the plug-ins (and
// so libmirova) start live video; after key 'q' (and after each zap) print
// TerminalPreview(ReadScreen(...)); bind a key to SaveCapture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace livepreview {

struct ScreenSpec {
    std::string path = "/tmp/mirova_screen";
    int width = 640;
    int height = 480;
    int bitsPerPixel = 32;
    int LineLength() const { return width * ((bitsPerPixel + 7) / 8); }
};

// Points libmirova's frame buffer at the file (MIROVA_FBDEV, MIROVA_FBGEOMETRY).
void UseVirtualScreen(const ScreenSpec& spec);

// The screen's bytes as drawn so far (zeros where nothing was drawn).
std::vector<uint8_t> ReadScreen(const ScreenSpec& spec);

// The screen as rows of upper-half blocks in 24-bit colour, columns wide.
std::string TerminalPreview(const ScreenSpec& spec, const std::vector<uint8_t>& pixels,
                            int columns);

// Captures the shown picture with ZMP_FRAMECAPTURE (bits 24 or 8) into a .bmp
// file; false when direct play has nothing to capture or the file fails.
bool SaveCapture(const std::string& path, int bits);

}  // namespace livepreview
