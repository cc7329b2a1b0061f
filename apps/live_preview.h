// Live video for the host program: a virtual screen file for libmirova to draw
// into, a true-colour terminal preview of that screen, and saving the shown
// picture as a .bmp through ZMP_FRAMECAPTURE.
//
// In the host program: UseVirtualScreen before the plug-ins start live video,
// then AfterTvKey after each key has been handled. ZMP_FRAMECAPTURE is found
// at run time in the libmirova the plug-ins loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace livepreview {

struct ScreenFile {
    std::string path = "/tmp/mirova_screen";
    int width = 640;
    int height = 480;
    int bitsPerPixel = 32;
    int LineLength() const { return width * ((bitsPerPixel + 7) / 8); }
};

struct Rgb {
    int r, g, b;
};

// The colour of a pixel of the screen's bytes (15, 16, 24 or 32 bits); black
// outside them.
Rgb PixelAt(const ScreenFile& screen, const std::vector<uint8_t>& pixels, int x, int y);

// Points libmirova's frame buffer at the file (MIROVA_FBDEV, MIROVA_FBGEOMETRY)
// and loads libmirova globally, where the tuner service finds ZMP_DIRECTPLAY.
void UseVirtualScreen(const ScreenFile& screen);

// The screen's bytes as drawn so far (zeros where nothing was drawn).
std::vector<uint8_t> ReadScreen(const ScreenFile& screen);

// The screen as rows of upper-half blocks in 24-bit colour, columns wide.
std::string TerminalPreview(const ScreenFile& screen, const std::vector<uint8_t>& pixels,
                            int columns);

// Captures the shown picture with ZMP_FRAMECAPTURE (bits 24 or 8) into a .bmp
// file; false when direct play has nothing to capture or the file fails.
bool SaveCapture(const std::string& path, int bits);

// After a key that starts live video or changes the channel ('q', '(', ')',
// Enter): the screen in the terminal, and the shown picture saved to
// "live_capture.bmp". Does nothing while no picture is shown.
void AfterTvKey(int key);

// The screen AfterTvKey shows (the one UseVirtualScreen set up).
const ScreenFile& CurrentScreen();

// A picture as RGB rows, top-down, 3 bytes per pixel.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* PixelAt(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// Where AfterTvKey takes its picture and its .bmp from instead of the screen
// file and ZMP_FRAMECAPTURE (the simulated monitor, with --graphics).
struct PreviewSource {
    std::function<bool(RgbPicture*)> picture;  // false: nothing to show
    std::function<bool(const std::string& path)> save;
};
void UsePreviewSource(PreviewSource source);
// The source UsePreviewSource chose (empty functions: none, the screen file).
const PreviewSource& CurrentPreviewSource();

std::string TerminalPreview(const RgbPicture& picture, int columns);

}  // namespace livepreview
