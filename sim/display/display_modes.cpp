// The mode table: the common VESA numbers where they exist, and numbers of
// the same style above 0x160 for the wide modes VESA never numbered.
#include "sim/display/display_modes.h"

namespace simdisplay {
namespace {

constexpr DisplayMode kModes[] = {
    {640, 480, 16, 0x111},  {640, 480, 32, 0x112},   {800, 600, 16, 0x114},
    {800, 600, 32, 0x115},  {1024, 768, 16, 0x117},  {1024, 768, 32, 0x118},
    {1280, 768, 16, 0x166}, {1280, 768, 32, 0x167},  {1280, 800, 16, 0x168},
    {1280, 800, 32, 0x169}, {1280, 1024, 16, 0x11A}, {1280, 1024, 32, 0x11B},
};

}  // namespace

const DisplayMode* FindMode(int width, int height, int bits) {
    for (const DisplayMode& mode : kModes)
        if (mode.width == width && mode.height == height && mode.bits == bits) return &mode;
    return nullptr;
}

const DisplayMode* FindModeNumber(int number) {
    for (const DisplayMode& mode : kModes)
        if (mode.number == number) return &mode;
    return nullptr;
}

}  // namespace simdisplay
