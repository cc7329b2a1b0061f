// Pictures of the simulated card: a station's test pattern with its channel number in big
// blocky digits, reception noise, snow, and the still of an outside video input. Frames are
// packed 4:2:2 (Y0 U Y1 V) and depend only on their parameters and frame index.
#pragma once

#include <cstdint>
#include <vector>

namespace tonvex {

struct FrameFormat {
    int width;
    int height;
    int framesPerSecond;
    int Bytes() const { return width * height * 2; }
};

// videoType: 0 NTSC (720 x 480, 30 frames/s), otherwise PAL (720 x 576, 25 frames/s).
FrameFormat FormatForVideoType(int videoType);

struct Picture {
    enum Kind { kStation, kSnow, kExternalInput };
    Kind kind = kSnow;
    int pattern = 0;
    int number = 0;          // drawn in digits: channel number or input number
    int noiseAmplitude = 0;  // luma noise +- amplitude on a station
    bool operator==(const Picture& o) const {
        return kind == o.kind && pattern == o.pattern && number == o.number;
    }
};

// Noise amplitude for a station tuned distanceKHz away from its best offset.
int NoiseForDistance(int distanceKHz);

class FrameRenderer {
  public:
    // Writes format.Bytes() bytes of frame `index` to out.
    void Render(const Picture& picture, const FrameFormat& format, uint64_t index, uint8_t* out);

  private:
    void BuildBase(const Picture& picture, const FrameFormat& format);

    Picture basePicture_;
    FrameFormat baseFormat_{0, 0, 0};
    std::vector<uint8_t> base_;
};

// Packed 4:2:2 to 3 bytes per pixel (B, G, R), top line first.
void YuyvToBgr(const uint8_t* yuyv, int width, int height, uint8_t* bgr);

}  // namespace tonvex
