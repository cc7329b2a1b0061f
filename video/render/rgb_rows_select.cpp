// The fastest line routines this processor runs.
#include "video/render/rgb_rows.h"

const RgbRows* FastRgbRows() {
    static const RgbRows* const best = Avx2RgbRows() != nullptr ? Avx2RgbRows() : Ssse3RgbRows();
    return best;
}
