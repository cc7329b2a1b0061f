// Where the frame-buffer renderer draws: the one seam between it and the
// screen device. OpenFrameBufferDevice picks, in this order:
//   1. a virtual screen installed in this process with InstallVirtualScreen
//      (memory-backed; tests and host programs read its pixels directly);
//   2. the path in the environment variable MIROVA_FBDEV, else "/dev/fb0":
//      a character device is a Linux frame buffer queried with the
//      FBIOGET_* ioctls; a regular file (created when missing) is a
//      file-backed screen whose geometry comes from MIROVA_FBGEOMETRY,
//      "WIDTHxHEIGHTxDEPTH" or "WIDTHxHEIGHTxDEPTH:LINELENGTH" (bytes), for
//      example "800x600x16" or "1024x768x32:4352". The file holds
//      LINELENGTH x HEIGHT bytes, line after line.
// Only a real device hides and shows the console cursor ("setterm"); virtual
// and file screens just remember the request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FbGeometry {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int lineLength = 0;  // bytes per screen line, at least width x bytes per pixel
};

class CFbDevice {
  public:
    virtual ~CFbDevice() = default;
    // Screen information; false when it cannot be read.
    virtual bool Query(FbGeometry* geometry) = 0;
    // Maps bytes of the screen shared, readable and writable; null on failure.
    // The mapping lives until Unmap or destruction.
    virtual uint8_t* Map(size_t bytes) = 0;
    virtual void Unmap() = 0;
    virtual void SetCursorVisible(bool visible) = 0;
};

// Null when nothing can be opened (the renderer's Open then fails).
std::unique_ptr<CFbDevice> OpenFrameBufferDevice();

// Hides or shows the console cursor with "setterm" as the frame-buffer
// renderer does, for renderers that never open the screen themselves: only
// when the seam leads to a real frame-buffer device (no virtual screen, and
// MIROVA_FBDEV unset or naming a character device).
void SetConsoleCursorVisible(bool visible);

// Parses "WxHxD" or "WxHxD:L"; false on a malformed or absurd description.
bool ParseFbGeometry(const std::string& text, FbGeometry* geometry);

// A screen in memory of a chosen size and depth (15, 16, 24, 32; any other
// depth is accepted so the renderer's handling of it can be tried). The line
// length defaults to width x bytes per pixel and may be larger.
class VirtualScreen {
  public:
    VirtualScreen(int width, int height, int bitsPerPixel, int lineLength = 0);
    const FbGeometry& Geometry() const { return geometry_; }
    uint8_t* Pixels() { return pixels_.data(); }
    size_t Bytes() const { return pixels_.size(); }
    bool CursorVisible() const { return cursorVisible_; }
    void SetCursorVisible(bool visible) { cursorVisible_ = visible; }
    int Maps() const { return maps_; }
    void CountMap() { ++maps_; }

  private:
    FbGeometry geometry_;
    std::vector<uint8_t> pixels_;
    bool cursorVisible_ = true;
    int maps_ = 0;
};

// Installs the screen that later opens use (null uninstalls). The caller keeps
// it alive until every renderer using it has closed.
void InstallVirtualScreen(VirtualScreen* screen);
