// Virtual screen, terminal preview and bitmap capture of the host program.
#include "apps/live_preview.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "video/render/capture_bitmap.h"

namespace livepreview {
namespace {

ScreenFile g_screen;
PreviewSource g_source;
constexpr int kPreviewColumns = 48;
constexpr int kHostEnterKey = 10;

using CaptureFn = int (*)(int, unsigned char*, int);

// Linked in, loaded globally, or loaded by a plug-in: found in that order.
CaptureFn FindCapture() {
    if (void* symbol = dlsym(RTLD_DEFAULT, "ZMP_FRAMECAPTURE"))
        return reinterpret_cast<CaptureFn>(symbol);
    void* library = dlopen("libmirova.so", RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return nullptr;
    void* symbol = dlsym(library, "ZMP_FRAMECAPTURE");
    dlclose(library);
    return reinterpret_cast<CaptureFn>(symbol);
}

void AppendColour(std::string* out, const char* layer, Rgb c) {
    char text[32];
    std::snprintf(text, sizeof text, "\x1b[%s;2;%d;%d;%dm", layer, c.r, c.g, c.b);
    *out += text;
}

}  // namespace

Rgb PixelAt(const ScreenFile& s, const std::vector<uint8_t>& pixels, int x, int y) {
    const int bytes = (s.bitsPerPixel + 7) / 8;
    const size_t at = size_t(y) * s.LineLength() + size_t(x) * bytes;
    if (at + bytes > pixels.size()) return {0, 0, 0};
    const uint8_t* p = pixels.data() + at;
    if (bytes >= 3) return {p[2], p[1], p[0]};
    const int v = p[0] | (p[1] << 8);
    if (s.bitsPerPixel == 15) return {((v >> 10) & 31) * 8, ((v >> 5) & 31) * 8, (v & 31) * 8};
    return {(v >> 11) * 8, ((v >> 5) & 63) * 4, (v & 31) * 8};
}

namespace {

// Rows of upper-half blocks, each column and half row one sampled pixel.
template <typename PixelFn>
std::string BlockRows(int width, int height, int columns, PixelFn pixel) {
    const int rows = std::max(1, columns * height / width / 2);
    std::string out;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            const int x = col * width / columns;
            AppendColour(&out, "38", pixel(x, (2 * row) * height / (2 * rows)));
            AppendColour(&out, "48", pixel(x, (2 * row + 1) * height / (2 * rows)));
            out += "\xe2\x96\x80";  // upper half block
        }
        out += "\x1b[0m\n";
    }
    return out;
}

// The preview and the capture file after a key, from the chosen source.
void ShowFromSource() {
    RgbPicture picture;
    if (!g_source.picture(&picture) || picture.width <= 0) return;
    std::fputs(TerminalPreview(picture, kPreviewColumns).c_str(), stdout);
    const bool saved = g_source.save && g_source.save("live_capture.bmp");
    std::printf("%s\n", saved ? "picture saved to live_capture.bmp" : "no picture to capture");
    std::fflush(stdout);
}

}  // namespace

const ScreenFile& CurrentScreen() {
    return g_screen;
}

void UseVirtualScreen(const ScreenFile& screen) {
    g_screen = screen;
    // The plug-ins need libmirova for live video; a link that names no symbol
    // of it may be dropped, so the host loads it (for the life of the process).
    static void* const video = dlopen("libmirova.so", RTLD_NOW | RTLD_GLOBAL);
    (void)video;
    char geometry[64];
    std::snprintf(geometry, sizeof geometry, "%dx%dx%d", screen.width, screen.height,
                  screen.bitsPerPixel);
    setenv("MIROVA_FBDEV", screen.path.c_str(), 1);
    setenv("MIROVA_FBGEOMETRY", geometry, 1);
}

std::vector<uint8_t> ReadScreen(const ScreenFile& screen) {
    std::vector<uint8_t> pixels(size_t(screen.LineLength()) * screen.height);
    std::ifstream in(screen.path, std::ios::binary);
    in.read(reinterpret_cast<char*>(pixels.data()), std::streamsize(pixels.size()));
    return pixels;
}

std::string TerminalPreview(const ScreenFile& screen, const std::vector<uint8_t>& pixels,
                            int columns) {
    return BlockRows(screen.width, screen.height, columns,
                     [&](int x, int y) { return PixelAt(screen, pixels, x, y); });
}

std::string TerminalPreview(const RgbPicture& picture, int columns) {
    return BlockRows(picture.width, picture.height, columns, [&](int x, int y) {
        const uint8_t* p = &picture.rgb[(size_t(y) * picture.width + x) * 3];
        return Rgb{p[0], p[1], p[2]};
    });
}

void UsePreviewSource(PreviewSource source) {
    g_source = std::move(source);
}

const PreviewSource& CurrentPreviewSource() {
    return g_source;
}

bool SaveCapture(const std::string& path, int bits) {
    const CaptureFn capture = FindCapture();
    if (capture == nullptr) return false;
    const int bytes = capture(bits, nullptr, 0);
    if (bytes <= 0) return false;
    std::vector<uint8_t> bitmap(static_cast<size_t>(bytes));
    if (capture(bits, bitmap.data(), 0) != 0) return false;
    int32_t width = 0, height = 0;
    std::memcpy(&width, bitmap.data() + 4, 4);
    std::memcpy(&height, bitmap.data() + 8, 4);
    const size_t pixels = size_t(width) * size_t(height);
    const size_t used =
        kBitmapHeaderBytes + (bits == 8 ? kBitmapPaletteBytes + pixels : pixels * 3);
    uint8_t header[kBmpFileHeaderBytes];
    MakeBmpFileHeader(used, bits, header);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(bitmap.data()), std::streamsize(used));
    return bool(out);
}

void AfterTvKey(int key) {
    if (key != 'q' && key != '(' && key != ')' && key != kHostEnterKey) return;
    if (g_source.picture) {
        ShowFromSource();
        return;
    }
    const auto pixels = ReadScreen(g_screen);
    bool shown = false;
    for (uint8_t b : pixels) shown = shown || b != 0;
    if (!shown) return;
    std::fputs(TerminalPreview(g_screen, pixels, kPreviewColumns).c_str(), stdout);
    const bool saved = SaveCapture("live_capture.bmp", 24);
    std::printf("%s\n", saved ? "picture saved to live_capture.bmp" : "no picture to capture");
    std::fflush(stdout);
}

}  // namespace livepreview
