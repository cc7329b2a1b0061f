// The stand-in libradeonov.so: the Radeon calls of
// interfaces/vendor/radeon_overlay.h (whose argument choices and records it
// implements) on the simulated display controller.
//
// Behaviour:
// - Loaded, the library is initialised; RadeonClose hides the overlay and
//   leaves it closed (every call but RadeonInit fails) until RadeonInit.
// - RadeonOverlaySetSrc checks only that both buffers lie in video memory
//   (placing them below the visible screen is the caller's business) and
//   stores the pitch: the width for 0x800A, matching a tightly packed YV12
//   picture. RadeonOverlayEnable fails before any source was set.
// - The transform maps onto the overlay as brightness x 128 / 100, contrast
//   and saturation gains 1 + value / 100, hue value x 180 / 100 degrees.
// - RadeonQueryCardInfo reports vendor 0x1002, device 0x5157, 32 MiB.
//
// Journal lines: the arguments in order; the mode record of RadeonSetMode as
// its width, height and bits per pixel, the transform as its four values, out
// pointers left out. E.g. "RadeonGetMode", "RadeonSetMode 0 1024 768 16",
// "RadeonSolidFill 0 0 1023 767 0", "RadeonOverlaySetSrc 1572864 720 480
// 32778", "RadeonOverlaySetDst 0 0 1024 768", "RadeonOverlaySetColorKey 0
// 65793", "RadeonOverlaySetTransform 100 0 0 0", "RadeonEnableDisplay 6 0".
//
// Faults: by name, any call (RadeonGetFBAddr then answers null). By kind,
// answering 0: init RadeonInit; mode RadeonGetMode, RadeonSetMode and
// RadeonRestoreMode; tvout RadeonEnableDisplay switching the television on.
#pragma once
