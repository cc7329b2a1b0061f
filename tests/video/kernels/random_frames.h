// Random pictures, sub-pictures and colour records for the kernel tests.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "video/render/picture.h"

class RandomFrames {
  public:
    explicit RandomFrames(uint32_t seed) : engine_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }
    void Fill(uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; ++i) p[i] = uint8_t(Int(0, 255));
    }
    std::vector<uint8_t> Bytes(size_t n) {
        std::vector<uint8_t> v(n);
        Fill(v.data(), n);
        return v;
    }
    CVRLNColourRecord Colours() {
        return {Int(-32, 32), Int(-32, 32), Int(-32, 32), Int(-32, 32),
                Int(-32, 32), Int(-32, 32), Int(-32, 32)};
    }
    // A sub-picture somewhere inside width x lines, with every alpha value.
    CVRLNSubpicture Subpicture(int width, int lines, std::vector<uint8_t>* pixels) {
        CVRLNSubpicture s{};
        s.x = Int(0, width - 1);
        s.y = Int(0, lines - 1);
        s.width = Int(1, width - s.x);
        s.height = Int(1, lines - s.y);
        s.pitch = s.width + Int(0, 3);
        *pixels = Bytes(size_t(s.pitch) * s.height);
        // Rows of transparent pixels make spans differ from the rectangle.
        for (int r = 0; r < s.height; r += 3) {
            for (int c = 0; c < s.width / 2; ++c) (*pixels)[size_t(r) * s.pitch + c] &= 0x0F;
        }
        s.pixels = pixels->data();
        for (auto& entry : s.palette) Fill(entry, 3);
        return s;
    }

  private:
    std::mt19937 engine_;
};
