// The host's defaults: a 720x480 screen on a known display device, no partitions or
// patches, language 1, and the picture and tuner items a stock host lists.
#include "sim/host/host_world.h"

namespace hostsim {
namespace {

// Picture properties on the defaults page; the tuner reads -32..32, 0 is neutral.
std::vector<CZAQPictureItem> DefaultPictureItems() {
    return {{10, "SolvaneON_TV_BRIGHTNESS", 0},
            {11, "SolvaneON_TV_CONTRAST", 0},
            {12, "SolvaneON_TV_HUE", 0},
            {13, "SolvaneON_TV_SATURATION", 0}};
}

// The display page adds sharpness and the overlay colour key, which is no tuner
// property (negative id).
std::vector<CZAQPictureItem> DisplayPictureItems() {
    return {{14, "SolvaneON_TV_SHARPNESS", 0}, {-1, "SolvaneON_D_OVERLAYCOLORKEY", 0}};
}

// Tuner settings with the engine commands that set and read them.
std::vector<CZAQTunerItem> DefaultTunerItems() {
    return {{1, "SolvaneON_TV_AUDIOINPUTSOURCE", 50, 44, 1},
            {2, "SolvaneON_TV_MTSAUDIOMODE", 56, 55, 1}};
}

}  // namespace

Config DefaultConfig() {
    Config config;
    config.pictureItems[kItemGroupPictureDefaults] = DefaultPictureItems();
    config.pictureItems[kItemGroupPictureDisplay] = DisplayPictureItems();
    config.tunerItems[kItemGroupTunerDefaults] = DefaultTunerItems();
    return config;
}

}  // namespace hostsim
