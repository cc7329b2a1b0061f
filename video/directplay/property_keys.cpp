// Key table of direct play: colour controls, the reserved id 4, the overlay
// colour key, and suspend and resume (which can only be set).
#include "video/directplay/property_keys.h"

#include "video/render/renderer.h"

namespace {

constexpr PropertyKey kKeys[] = {
    {14, kPropBrightness, true, true},
    {15, kPropContrast, true, true},
    {16, kPropHue, true, true},
    {17, kPropSaturation, true, true},
    {24, kPropReserved, true, true},
    {25, kPropColourKey, true, true},
    {118, kPropSuspendVideo, false, true},
    {119, kPropResumeVideo, false, true},
};

}  // namespace

const PropertyKey* FindPropertyKey(int key) {
    for (const PropertyKey& row : kKeys)
        if (row.key == key) return &row;
    return nullptr;
}
