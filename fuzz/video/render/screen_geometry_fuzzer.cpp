// The screen geometry string (MIROVA_FBGEOMETRY, "WxHxD[:LINELENGTH]"): a text
// that is taken describes a screen whose lines hold its pixels, of a size that
// can be mapped.
#include "fuzz/support/fuzz_input.h"
#include "video/render/fb_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FbGeometry g;
    if (!ParseFbGeometry(FuzzText(data, size).c_str(), &g)) return 0;
    FUZZ_CHECK(g.width > 0 && g.width <= 16384 && g.height > 0 && g.height <= 16384);
    FUZZ_CHECK(g.bitsPerPixel > 0 && g.bitsPerPixel <= 32);
    FUZZ_CHECK(int64_t(g.lineLength) >= int64_t(g.width) * ((g.bitsPerPixel + 7) / 8));
    FUZZ_CHECK(g.lineLength <= 16384 * 4);
    return 0;
}
