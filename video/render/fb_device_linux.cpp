// The Linux frame-buffer device: screen information from the FBIOGET ioctls,
// a shared mapping, and "setterm" for the console cursor.
#include <fcntl.h>
#include <linux/fb.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include "video/render/fb_device_kinds.h"

namespace {

class LinuxFbDevice : public CFbDevice {
  public:
    explicit LinuxFbDevice(int fd) : fd_(fd) {}
    ~LinuxFbDevice() override {
        Unmap();
        close(fd_);
    }

    bool Query(FbGeometry* geometry) override {
        fb_fix_screeninfo fixed{};
        fb_var_screeninfo variable{};
        if (ioctl(fd_, FBIOGET_FSCREENINFO, &fixed) != 0) return false;
        if (ioctl(fd_, FBIOGET_VSCREENINFO, &variable) != 0) return false;
        geometry->width = int(variable.xres);
        geometry->height = int(variable.yres);
        geometry->bitsPerPixel = int(variable.bits_per_pixel);
        geometry->lineLength = int(fixed.line_length);
        return true;
    }

    uint8_t* Map(size_t bytes) override {
        Unmap();
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
        if (p == MAP_FAILED) return nullptr;
        mapping_ = static_cast<uint8_t*>(p);
        bytes_ = bytes;
        return mapping_;
    }

    void Unmap() override {
        if (mapping_ != nullptr) munmap(mapping_, bytes_);
        mapping_ = nullptr;
    }

    // Only a real console has a cursor to hide.
    void SetCursorVisible(bool visible) override { RunSetterm(visible); }

  private:
    int fd_;
    uint8_t* mapping_ = nullptr;
    size_t bytes_ = 0;
};

}  // namespace

void RunSetterm(bool cursorVisible) {
    const int ignored = std::system(cursorVisible ? "setterm -cursor on" : "setterm -cursor off");
    (void)ignored;
}

std::unique_ptr<CFbDevice> OpenLinuxFbDevice(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<LinuxFbDevice>(fd);
}
