// Picture capture of the frame-buffer renderer: the shown screen (or, before
// any RGB output exists, the picture in its own layout) as a bitmap.
#include <new>

#include "video/render/capture_bitmap.h"
#include "video/render/frame_buffer.h"
#include "video/render/picture.h"

int CVRLNFrameBuffer::CapturePicture(CVRLNPicture* picture, int bitCount, uint8_t* bitmap) {
    const bool rgb = IsRgbTag(tag_);
    if (!rgb && picture == nullptr) return -1;
    const int width = rgb ? geometry_.width : (picture->width & ~3);
    const int height = rgb ? geometry_.height : picture->height;
    if (bitmap == nullptr) return int(CaptureBytes(bitCount, width, height));
    if (PrepareCapture(picture) < 0) return -1;
    std::lock_guard<std::mutex> lock(frameMutex_);
    CaptureSource source{};
    source.tag = tag_;
    source.width = width;
    source.height = height;
    if (rgb) {
        // The buffer the last frame was made in (the shadow before any frame).
        source.pixels = shown_;
        source.pitch = shadowPitch_;
    } else {
        source.pixels = picture->output;
        source.pitch = picture->outputPitch;
        source.u = picture->plane[1];
        source.v = picture->plane[2];
        source.chromaPitch = picture->outputPitch / 2;
    }
    bool written = false;
    try {
        written = WriteCaptureBitmap(source, bitCount, bitmap);
    } catch (const std::bad_alloc&) {
        written = false;  // its row buffer: reported like any failed capture
    }
    if (!written) return -1;
    return FinishCapture(0) == 0 ? 0 : -1;
}
