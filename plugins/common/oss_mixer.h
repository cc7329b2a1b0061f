// The sound-mixer step both plug-ins make when their engine is built: the
// master volume of the OSS mixer set to a level of 16 on both channels.
//
// Seam for tests and machines without OSS: the device path comes from the
// environment variable ZAQ_MIXER_DEVICE when it is set (default "/dev/mixer"),
// and the device operations can be replaced, so a stand-in shows what would
// have been written.
#pragma once

// open returns a descriptor (negative on failure); readVolume and writeVolume
// take the OSS volume word (left in the low byte, right in the next) and return
// 0 on success.
struct MixerOps {
    int (*open)(const char* path);
    int (*readVolume)(int fd, int* word);
    int (*writeVolume)(int fd, int word);
    void (*close)(int fd);
};

// Path of the mixer device in use.
const char* MixerDevicePath();

// Replaces the operations; null restores the OSS ones. Set it before an engine
// is built.
void SetMixerOps(const MixerOps* ops);

// Writes level (0..16 of 16) as a percentage to both channels, whatever the
// device reported before. A missing device is skipped silently.
void SetMixerLevel(int level);
