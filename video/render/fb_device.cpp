// The choice of screen device, the geometry text of file-backed screens and
// the in-memory virtual screen.
#include "video/render/fb_device.h"

#include <sys/stat.h>

#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/debug_log.h"
#include "platform/stored_number.h"
#include "video/render/fb_device_kinds.h"

namespace {

std::atomic<VirtualScreen*> g_virtualScreen{nullptr};

constexpr int kMaxSide = 16384;

int BytesPerPixel(int bitsPerPixel) {
    return (bitsPerPixel + 7) / 8;
}

// A decimal number (digits only) ending at the separator, as a saturated
// 32-bit value; *at moves past the separator. A number too long for 32 bits
// saturates, so it fails the range checks instead of wrapping into them.
bool NextNumber(const char** at, char separator, int* value) {
    if (!std::isdigit(static_cast<unsigned char>(**at))) return false;
    char* end = nullptr;
    *value = ParseStoredInt32(*at, &end, 10);
    if (*end != separator) return false;
    *at = separator == '\0' ? end : end + 1;
    return true;
}

}  // namespace

bool ParseFbGeometry(const std::string& text, FbGeometry* geometry) {
    FbGeometry g;
    const char* at = text.c_str();
    if (!NextNumber(&at, 'x', &g.width) || !NextNumber(&at, 'x', &g.height)) return false;
    const bool lineGiven = std::strchr(at, ':') != nullptr;
    if (!NextNumber(&at, lineGiven ? ':' : '\0', &g.bitsPerPixel)) return false;
    if (lineGiven && !NextNumber(&at, '\0', &g.lineLength)) return false;
    if (g.width <= 0 || g.height <= 0 || g.width > kMaxSide || g.height > kMaxSide) return false;
    if (g.bitsPerPixel <= 0 || g.bitsPerPixel > 32) return false;
    const int minimum = g.width * BytesPerPixel(g.bitsPerPixel);
    if (g.lineLength == 0) g.lineLength = minimum;
    if (g.lineLength < minimum || g.lineLength > kMaxSide * 4) return false;
    *geometry = g;
    return true;
}

VirtualScreen::VirtualScreen(int width, int height, int bitsPerPixel, int lineLength) {
    geometry_.width = width;
    geometry_.height = height;
    geometry_.bitsPerPixel = bitsPerPixel;
    const int minimum = width * BytesPerPixel(bitsPerPixel);
    geometry_.lineLength = lineLength > minimum ? lineLength : minimum;
    pixels_.assign(size_t(geometry_.lineLength) * size_t(height), 0);
}

void InstallVirtualScreen(VirtualScreen* screen) {
    g_virtualScreen = screen;
}

namespace {

// The path the seam names, and whether a character device lies there.
std::string SeamPath(bool* chosen, bool* device) {
    const char* configured = std::getenv("MIROVA_FBDEV");
    *chosen = configured != nullptr && *configured;
    const std::string path = *chosen ? configured : "/dev/fb0";
    struct stat info {};
    *device = stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
    return path;
}

}  // namespace

void SetConsoleCursorVisible(bool visible) {
    if (g_virtualScreen.load() != nullptr) return;
    bool chosen = false, device = false;
    SeamPath(&chosen, &device);
    if (device) RunSetterm(visible);
}

std::unique_ptr<CFbDevice> OpenFrameBufferDevice() {
    if (VirtualScreen* screen = g_virtualScreen.load()) return OpenVirtualFbDevice(screen);
    bool chosen = false, device = false;
    const std::string path = SeamPath(&chosen, &device);
    // Without an explicit choice only the real device is ever opened, so no
    // file is created where a device belongs.
    if (device || !chosen) return OpenLinuxFbDevice(path);
    FbGeometry geometry;
    const char* text = std::getenv("MIROVA_FBGEOMETRY");
    if (text == nullptr || !ParseFbGeometry(text, &geometry)) {
        DebugPrint("FB: no device at %s and no usable MIROVA_FBGEOMETRY\n", path.c_str());
        return nullptr;
    }
    return OpenFileFbDevice(path, geometry);
}
