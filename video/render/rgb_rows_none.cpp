// Builds without an x86 fast path use the reference routines only.
#include "video/render/rgb_rows.h"

const RgbRows* FastRgbRows() {
    return nullptr;
}
