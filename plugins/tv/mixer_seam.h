// The sound-mixer step of the TV engine's construction, behind one seam: the
// real OSS mixer "/dev/mixer" by default, any set of operations in tests.
#pragma once

// How the mixer is reached. open returns a descriptor (negative on failure);
// readVolume and writeVolume take the OSS volume word (left in the low byte,
// right in the next) and return 0 on success.
struct MixerOps {
    int (*open)(const char* path);
    int (*readVolume)(int fd, int* word);
    int (*writeVolume)(int fd, int word);
    void (*close)(int fd);
};

constexpr const char kMixerDevicePath[] = "/dev/mixer";

// Replaces the operations; null restores the OSS ones. Not thread-safe: set it
// before any TV engine is built.
void SetMixerOps(const MixerOps* ops);

// Level 16 of 16 as the mixer's percent, on both channels.
constexpr int kMixerFullLevel = 16 * 16 * 100 / 255;
constexpr int kMixerFullWord = kMixerFullLevel | (kMixerFullLevel << 8);

// Opens the mixer, reads the volume word, writes full level on both channels
// whatever it read, and closes it. A missing mixer is skipped silently.
void SetMixerToFullLevel();
