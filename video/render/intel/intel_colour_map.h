// The Intel renderers' colour properties and the overlay's hardware values:
// control values -32 ... +32 (clamped first) to hardware ids 1 brightness,
// 2 contrast, 3 saturation, 4 hue, and back.
#pragma once

#include <cstdint>

// Hardware id of property 257 ... 260, or 0 for any other.
uint32_t IntelHardwareId(uint32_t property);
// Brightness and hue value x 4 capped at 127 (-128 ... 127); contrast
// value x 2 + 64 capped at 255; saturation value x 4 + 128 capped at 255.
int32_t IntelHardwareValue(uint32_t property, int32_t value);
// The control value a hardware value reads back as: 127 (255 for contrast
// and saturation) is 32, otherwise the inverse of the mapping above,
// truncated toward zero.
int32_t IntelControlValue(uint32_t property, int32_t hardware);
