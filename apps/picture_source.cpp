// Reading the frame-buffer renderer's screen file as an RGB picture.
#include "apps/picture_source.h"

#include <utility>

namespace host {
namespace {

class ScreenPictureSource : public PictureSource {
  public:
    explicit ScreenPictureSource(const livepreview::ScreenFile& screen) : screen_(screen) {}

    bool Take(RgbPicture* picture) override {
        if (screen_.width <= 0 || screen_.height <= 0) return false;
        pixels_ = livepreview::ReadScreen(screen_);
        picture->width = screen_.width;
        picture->height = screen_.height;
        picture->rgb.resize(size_t(screen_.width) * screen_.height * 3);
        uint8_t* out = picture->rgb.data();
        const int bytes = (screen_.bitsPerPixel + 7) / 8;
        const size_t needed = size_t(screen_.LineLength()) * screen_.height;
        if (bytes >= 3 && pixels_.size() >= needed) {
            // 24 and 32 bits: blue, green, red in memory.
            for (int y = 0; y < screen_.height; ++y) {
                const uint8_t* in = pixels_.data() + size_t(y) * screen_.LineLength();
                for (int x = 0; x < screen_.width; ++x, in += bytes, out += 3) {
                    out[0] = in[2];
                    out[1] = in[1];
                    out[2] = in[0];
                }
            }
            return true;
        }
        for (int y = 0; y < screen_.height; ++y) {
            for (int x = 0; x < screen_.width; ++x, out += 3) {
                const livepreview::Rgb c = livepreview::PixelAt(screen_, pixels_, x, y);
                out[0] = static_cast<uint8_t>(c.r);
                out[1] = static_cast<uint8_t>(c.g);
                out[2] = static_cast<uint8_t>(c.b);
            }
        }
        return true;
    }

  private:
    livepreview::ScreenFile screen_;
    std::vector<uint8_t> pixels_;
};

// A picture function's picture, kept untouched when it has none to give.
class PreviewPictureSource : public PictureSource {
  public:
    explicit PreviewPictureSource(std::function<bool(RgbPicture*)> picture)
        : picture_(std::move(picture)) {}

    bool Take(RgbPicture* picture) override {
        if (!picture_(&taken_) || taken_.width <= 0 || taken_.height <= 0 ||
            taken_.rgb.size() < size_t(taken_.width) * taken_.height * 3)
            return false;
        std::swap(*picture, taken_);
        return true;
    }

  private:
    std::function<bool(RgbPicture*)> picture_;
    RgbPicture taken_;
};

}  // namespace

std::unique_ptr<PictureSource> MakePreviewPictureSource(std::function<bool(RgbPicture*)> picture) {
    return std::make_unique<PreviewPictureSource>(std::move(picture));
}

std::unique_ptr<PictureSource> MakeScreenPictureSource(const livepreview::ScreenFile& screen) {
    return std::make_unique<ScreenPictureSource>(screen);
}

std::unique_ptr<PictureSource> ChoosePictureSource(const livepreview::ScreenFile& screen) {
    const auto& preview = livepreview::CurrentPreviewSource();
    if (preview.picture) return MakePreviewPictureSource(preview.picture);
    return MakeScreenPictureSource(screen);
}

}  // namespace host
