// The system mixer's master volume, set once when the FM wrapper is built.
//
// Seam for tests and machines without OSS: the device path comes from the environment
// variable ZAQ_MIXER_DEVICE when it is set (default "/dev/mixer"), and the device
// operations can be replaced, so a stand-in file with recording operations shows what
// would have been written. Same operation set as the TV engine's mixer step.
#pragma once

namespace sonidra {

// open returns a descriptor (negative on failure); readVolume and writeVolume take the
// OSS volume word (left in the low byte, right in the next) and return 0 on success.
struct MixerOps {
    int (*open)(const char* path);
    int (*readVolume)(int fd, int* word);
    int (*writeVolume)(int fd, int word);
    void (*close)(int fd);
};

// Path of the mixer device in use.
const char* MixerDevicePath();

// Replaces the operations; null restores the OSS ones. Set it before a wrapper is built.
void SetMixerOps(const MixerOps* ops);

// Writes level (0..16 of 16) as a percentage to both channels, whatever the device
// reported before. A missing device is skipped.
void SetMasterVolumeLevel(int level);

}  // namespace sonidra
