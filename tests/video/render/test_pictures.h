// Pictures for the hardware renderers' tests, owning their frames: a packed
// 4:2:2 picture as direct play hands it over (plain or random bytes), and a
// planar one (a Y plane and an interleaved U/V plane at half height).
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "video/render/picture.h"

namespace rendertest {

class PackedFrame {
  public:
    // Every pixel Y = luma, U = V = 128.
    PackedFrame(int width, int height, uint8_t luma) { Plain(width, height, luma, 128, 128); }
    // Random bytes from the seed.
    PackedFrame(int width, int height, uint32_t seed, bool) {
        Shape(width, height);
        std::mt19937 engine(seed);
        for (uint8_t& b : frame_) b = uint8_t(engine());
    }
    void Plain(int width, int height, uint8_t y, uint8_t u, uint8_t v) {
        Shape(width, height);
        for (size_t i = 0; i + 3 < frame_.size(); i += 4) {
            frame_[i] = y;
            frame_[i + 1] = u;
            frame_[i + 2] = y;
            frame_[i + 3] = v;
        }
    }
    // Left half one luma, right half another (U = V = 128).
    void Halves(uint8_t left, uint8_t right) {
        const int w = picture_.width;
        for (int y = 0; y < picture_.height; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t* p = &frame_[(size_t(y) * w + x) * 2];
                p[0] = x < w / 2 ? left : right;
                p[1] = 128;
            }
    }
    CVRLNPicture* Get() { return &picture_; }
    const std::vector<uint8_t>& Bytes() const { return frame_; }

  private:
    void Shape(int width, int height) {
        frame_.assign(size_t(width) * height * 2, 0);
        picture_.plane[0] = frame_.data();
        picture_.plane[1] = nullptr;
        picture_.planeSize = uint32_t(width) * uint32_t(height);
        picture_.width = width;
        picture_.height = height;
        picture_.displayWidth = width;
        picture_.displayHeight = height;
        picture_.outputPitch = width * 2;
        picture_.packed = 1;
    }

    std::vector<uint8_t> frame_;
    CVRLNPicture picture_;
};

class PlanarFrame {
  public:
    PlanarFrame(int width, int height, uint32_t seed) {
        // One spare line, as direct play's pictures have.
        const size_t luma = size_t(width) * (height + 1);
        bytes_.resize(luma + luma / 2 + 64);
        std::mt19937 engine(seed);
        for (uint8_t& b : bytes_) b = uint8_t(engine());
        picture_.plane[0] = bytes_.data();
        picture_.plane[1] = bytes_.data() + size_t(width) * height;
        picture_.planeSize = uint32_t(width) * uint32_t(height);
        picture_.width = width;
        picture_.height = height;
        picture_.displayWidth = width;
        picture_.displayHeight = height;
        picture_.outputPitch = width * 2;
        picture_.packed = 0;
    }
    CVRLNPicture* Get() { return &picture_; }
    const uint8_t* Luma() const { return picture_.plane[0]; }
    const uint8_t* Chroma() const { return picture_.plane[1]; }

  private:
    std::vector<uint8_t> bytes_;
    CVRLNPicture picture_;
};

}  // namespace rendertest
