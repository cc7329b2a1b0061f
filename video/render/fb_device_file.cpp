// A screen kept in an ordinary file, so a machine without a frame buffer (or
// another process watching the file) can show what the renderer draws.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "video/render/fb_device_kinds.h"

namespace {

class FileFbDevice : public CFbDevice {
  public:
    FileFbDevice(int fd, const FbGeometry& geometry) : fd_(fd), geometry_(geometry) {}
    ~FileFbDevice() override {
        Unmap();
        close(fd_);
    }

    bool Query(FbGeometry* geometry) override {
        *geometry = geometry_;
        return true;
    }

    uint8_t* Map(size_t bytes) override {
        Unmap();
        const off_t needed = off_t(bytes);
        if (lseek(fd_, 0, SEEK_END) < needed && ftruncate(fd_, needed) != 0) return nullptr;
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

    void SetCursorVisible(bool) override {}

  private:
    int fd_;
    FbGeometry geometry_;
    uint8_t* mapping_ = nullptr;
    size_t bytes_ = 0;
};

class VirtualFbDevice : public CFbDevice {
  public:
    explicit VirtualFbDevice(VirtualScreen* screen) : screen_(screen) {}
    bool Query(FbGeometry* geometry) override {
        *geometry = screen_->Geometry();
        return true;
    }
    uint8_t* Map(size_t bytes) override {
        if (bytes > screen_->Bytes()) return nullptr;
        screen_->CountMap();
        return screen_->Pixels();
    }
    void Unmap() override {}
    void SetCursorVisible(bool visible) override { screen_->SetCursorVisible(visible); }

  private:
    VirtualScreen* screen_;
};

}  // namespace

std::unique_ptr<CFbDevice> OpenFileFbDevice(const std::string& path, const FbGeometry& geometry) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    return std::make_unique<FileFbDevice>(fd, geometry);
}

std::unique_ptr<CFbDevice> OpenVirtualFbDevice(VirtualScreen* screen) {
    return std::make_unique<VirtualFbDevice>(screen);
}
